// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds what it ships: the contest rules and country files, and the message
// catalogues.  Both are looked for relative to the running binary first, so an installed tree
// under any prefix, a staged package tree and the build tree all find their own files:
//
//   <bin>/../share/vorkan, <bin>/../share/locale     installed (/usr/bin/vorkan, /usr/local/...)
//   <bin>/share/vorkan, <bin>/locale                 the build tree (build/vorkan)
//   the configured install directories, then /usr/share: a binary copied elsewhere
#pragma once

#include <string>
#include <vector>

namespace vk {

// The directory of the running binary (from /proc/self/exe); empty when it cannot be read.
std::string ProgramDir();

// The candidates above, in order, for a binary in `programDir`.
std::vector<std::string> ShippedDataCandidates(const std::string& programDir);
std::vector<std::string> LocaleCandidates(const std::string& programDir);

// The first candidate holding the default rules file (contest.xml); empty when none does.
std::string FindShippedDataDir(const std::string& programDir = ProgramDir());
// The first candidate holding `<lang>/LC_MESSAGES/vorkan.mo`; empty when none does.
std::string FindLocaleDir(const std::string& lang, const std::string& programDir = ProgramDir());

}  // namespace vk
