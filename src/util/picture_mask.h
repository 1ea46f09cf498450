// Picture masks of input lines, in the picture language of the Turbo Vision family:
//
//   #  a digit                      ?  a letter
//   &  a letter, forced to upper case
//   !  any character, forced to upper case
//   @  any character
//   *  repetition of the next item or group: *3# is three digits, *# any number of them
//   {} grouping      []  an optional part      ,  alternatives ({59,599} or a,b at top level)
//   ;  takes the next character as a literal (;# is a hash sign)
//   anything else is a literal: matched without regard to case, written as the picture has it
//
// Letters are the ASCII ones; CP866 bytes above 0x7F are literals and match only themselves.
//
// With automatic filling, literals the operator would have to type are supplied: after "05"
// in "##-##-####" the '-' is added, and typing "0503" gives "05-03-".  A literal is filled
// in only where no path through the picture can take the typed character directly, and at
// the end of the text only while every path agrees on the one literal that must follow.
//
// Pictures come from contest rules files that anybody may write, so a picture that cannot be
// used (bad syntax, nesting deeper than kMaxNesting, more than kMaxProgram matching steps once
// counted repetitions are spelled out) makes the mask accept every text unchanged: a broken
// rules file must never lock the operator out of the field.  Matching runs over the compiled
// picture as a set of simultaneous positions, so its cost is at most the text length times
// the compiled size, whatever nesting of * and alternatives the picture holds.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vk {

class PictureMask {
 public:
  enum class Result {
    kEmpty,       // the text is empty; nothing was checked or filled
    kComplete,    // the text fills the picture and nothing more may follow
    kAmbiguous,   // the text fills the picture, and more input would still fit (*# after "12")
    kIncomplete,  // a prefix of a text that fits: more input is needed
    kError,       // no text that starts like this fits the picture
    kSyntax,      // the picture is unusable; every text is accepted as it stands
  };

  static constexpr int kMaxNesting = 64;
  static constexpr std::size_t kMaxProgram = 4096;

  explicit PictureMask(std::string picture);

  const std::string& Picture() const { return picture_; }
  // False for an empty picture and for one that cannot be used (see above).
  bool IsSyntaxValid() const { return valid_; }
  // Why the picture cannot be used; empty when it can.  Meant for the debug journal.
  const std::string& SyntaxError() const { return error_; }

  // Checks `text` against the picture.  Unless the result is kError, kEmpty or kSyntax, the
  // text is rewritten: case forced by & and !, literals written as the picture has them and,
  // with autoFill, literals filled in.  On kError the text is left as it was.
  Result Check(std::string& text, bool autoFill) const;

  // For each keystroke: false means the keystroke must be refused.  Pass autoFill false after
  // a deletion, or the literal the operator just erased would come straight back.
  bool IsValidInput(std::string& text, bool autoFill) const;

  // On leaving the line or on OK: the text is complete.  An empty text passes, so an empty
  // line may be left; callers that need a value check for emptiness themselves.
  bool IsValid(const std::string& text) const;

 private:
  enum class Op : unsigned char { kChar, kSplit, kJump, kMatch };
  // One step of the compiled picture.  kChar takes one character of class `cls` ('#', '?',
  // '&', '!', '@', or 'L' for the literal `lit`) and goes on to the next step; kSplit tries
  // `x` before `y`; kJump goes to `x`.
  struct Inst {
    Op op;
    char cls;
    char lit;
    int x;
    int y;
  };
  friend class PictureCompiler;
  friend class PictureMatcher;

  std::string picture_;
  std::vector<Inst> program_;
  bool valid_ = false;
  std::string error_;
};

}  // namespace vk
