// Reading a rules file into a DOM tree.  The texts of the rules files are Windows-1251 bytes;
// they are handed through unconverted (the callers convert what they show).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "util/result.h"

namespace vk {

class Journal;

// The shipped rules files are tens of kilobytes; a file of megabytes is no rules file, and its
// tree would take many times its size in memory.  List files beside them have the same ceiling.
inline constexpr std::size_t kMaxRulesFileBytes = 4u << 20;

// Parses the file at `path` into `doc`.  A document that is not well-formed keeps what the
// parser built before the fault, so the caller can still walk it; the fault is journalled
// (`journal` nullptr: nowhere) with the file, the byte offset and the line, and comes back as a
// kBadInput status with the same place.  A file that cannot be read gives kNotFound and an
// empty document, and a file larger than kMaxRulesFileBytes is refused unread (kBadInput).
Status LoadXmlFile(const std::string& path, pugi::xml_document& doc, Journal* journal);

// The element children of the document's root element, in document order.
inline auto RootElements(const pugi::xml_document& doc) {
  return doc.document_element().children();
}

// The value of a node's first attribute (whatever it is called); empty when it has none.
inline std::string_view FirstAttribute(const pugi::xml_node& node) {
  return node.first_attribute().value();
}
// The value of a node's second attribute; empty when it has fewer.
inline std::string_view SecondAttribute(const pugi::xml_node& node) {
  return node.first_attribute().next_attribute().value();
}

// The title of a rules file: the first attribute of its root when the root is
// `contest_rules`, otherwise empty.  Raw Windows-1251.
std::string FileTitle(const std::string& path, Journal* journal);

}  // namespace vk
