#include "util/picture_mask.h"

#include <algorithm>
#include <utility>

namespace vk {

namespace {

// The picture read into a tree before it is compiled, so that counted repetitions can be
// spelled out and their size checked.
struct Node {
  enum class Kind { kChar, kSeq, kAlt, kOpt, kStar, kRepeat };
  Kind kind = Kind::kSeq;
  char cls = 0;  // kChar: '#', '?', '&', '!', '@' or 'L' for a literal
  char lit = 0;
  std::size_t count = 0;  // kRepeat
  std::vector<Node> kids;
};

bool IsClassChar(char c) {
  return c == '#' || c == '?' || c == '&' || c == '!' || c == '@';
}
bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool EndsSequence(char c) {
  return c == ',' || c == '}' || c == ']';
}

class Parser {
 public:
  explicit Parser(const std::string& picture) : p_(picture) {}

  bool Parse(Node& root, std::string& error) {
    bool ok = Alternatives(root, 0);
    if (ok && pos_ < p_.size()) ok = Fail(std::string("unmatched '") + p_[pos_] + "'");
    error = error_;
    return ok;
  }

 private:
  bool Fail(const std::string& what) {
    error_ = what + " at position " + std::to_string(pos_ + 1);
    return false;
  }

  // Stops at the first ',', '}' or ']' that is not its own; the caller decides whether the
  // closing character is the one it expects.
  bool Alternatives(Node& out, int depth) {
    if (depth > PictureMask::kMaxNesting) return Fail("nesting too deep");
    out.kind = Node::Kind::kAlt;
    for (;;) {
      Node seq;
      if (!Sequence(seq, depth)) return false;
      out.kids.push_back(std::move(seq));
      if (pos_ >= p_.size() || p_[pos_] != ',') break;
      ++pos_;
    }
    if (out.kids.size() == 1) {
      Node only = std::move(out.kids.front());
      out = std::move(only);
    }
    return true;
  }

  bool Sequence(Node& out, int depth) {
    out.kind = Node::Kind::kSeq;
    while (pos_ < p_.size() && !EndsSequence(p_[pos_])) {
      Node item;
      if (!Item(item, depth)) return false;
      out.kids.push_back(std::move(item));
    }
    return true;
  }

  bool Closed(char close) {
    if (pos_ < p_.size() && p_[pos_] == close) {
      ++pos_;
      return true;
    }
    return Fail(std::string("missing '") + close + "'");
  }

  bool Item(Node& out, int depth) {
    if (depth > PictureMask::kMaxNesting) return Fail("nesting too deep");
    const char c = p_[pos_++];
    switch (c) {
      case ';':
        if (pos_ >= p_.size()) return Fail("';' with nothing to escape");
        out = Node{Node::Kind::kChar, 'L', p_[pos_++]};
        return true;
      case '{':
        return Alternatives(out, depth + 1) && Closed('}');
      case '[': {
        out.kind = Node::Kind::kOpt;
        out.kids.resize(1);
        return Alternatives(out.kids[0], depth + 1) && Closed(']');
      }
      case '*':
        return Repetition(out, depth);
      default:
        out = IsClassChar(c) ? Node{Node::Kind::kChar, c} : Node{Node::Kind::kChar, 'L', c};
        return true;
    }
  }

  bool Repetition(Node& out, int depth) {
    bool counted = false;
    out.count = 0;
    while (pos_ < p_.size() && IsAsciiDigit(p_[pos_])) {
      counted = true;
      // Any count beyond the program limit overflows it anyway; saturate instead of wrapping.
      out.count = std::min(out.count * 10 + (p_[pos_++] - '0'), PictureMask::kMaxProgram + 1);
    }
    if (pos_ >= p_.size() || EndsSequence(p_[pos_])) return Fail("'*' with nothing to repeat");
    out.kind = counted ? Node::Kind::kRepeat : Node::Kind::kStar;
    out.kids.resize(1);
    return Item(out.kids[0], depth + 1);
  }

  const std::string& p_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

// Turns the tree into a program for a Thompson-style matcher.  Emission stops once the
// program outgrows the limit, so a picture such as *99*99*99# costs no more than the limit.
class PictureCompiler {
 public:
  using Inst = PictureMask::Inst;
  using Op = PictureMask::Op;

  explicit PictureCompiler(std::vector<Inst>& program) : prog_(program) {}

  bool Compile(const Node& root) {
    Emit(root);
    Add({Op::kMatch});
    return !overflow_;
  }

 private:
  int Add(Inst in) {
    prog_.push_back(in);
    if (prog_.size() > PictureMask::kMaxProgram) overflow_ = true;
    return static_cast<int>(prog_.size()) - 1;
  }
  int Here() const { return static_cast<int>(prog_.size()); }

  void Emit(const Node& n) {
    if (overflow_) return;
    switch (n.kind) {
      case Node::Kind::kChar:
        Add({Op::kChar, n.cls, n.lit});
        break;
      case Node::Kind::kSeq:
        for (const Node& k : n.kids) Emit(k);
        break;
      case Node::Kind::kAlt:
        EmitAlternatives(n);
        break;
      case Node::Kind::kOpt: {  // greedy: the optional part is tried first
        const int split = Add({Op::kSplit});
        Emit(n.kids[0]);
        prog_[split].x = split + 1;
        prog_[split].y = Here();
        break;
      }
      case Node::Kind::kStar: {
        const int split = Add({Op::kSplit});
        Emit(n.kids[0]);
        Add({Op::kJump, 0, 0, split});
        prog_[split].x = split + 1;
        prog_[split].y = Here();
        break;
      }
      case Node::Kind::kRepeat:
        for (std::size_t i = 0; i < n.count && !overflow_; ++i) {
          const int before = Here();
          Emit(n.kids[0]);
          if (Here() == before) break;  // repeating nothing: *9999{} must not spin
        }
        break;
    }
  }

  void EmitAlternatives(const Node& n) {
    std::vector<int> exits;
    for (std::size_t i = 0; i < n.kids.size() && !overflow_; ++i) {
      if (i + 1 == n.kids.size()) {
        Emit(n.kids[i]);
        break;
      }
      const int split = Add({Op::kSplit});
      Emit(n.kids[i]);
      exits.push_back(Add({Op::kJump}));
      prog_[split].x = split + 1;
      prog_[split].y = Here();
    }
    for (int e : exits) prog_[e].x = Here();
  }

  std::vector<Inst>& prog_;
  bool overflow_ = false;
};

// Runs the program over the text with every live position at once (a Pike VM): each thread
// is a position in the program plus the text it has written so far, kept as a chain of cells
// shared between threads.  Threads are kept in priority order (earlier alternatives, greedy
// repetitions first), and the first thread to reach a position owns it, so the rewritten text
// is the one the leftmost matching reading of the picture gives.
class PictureMatcher {
 public:
  using Inst = PictureMask::Inst;
  using Op = PictureMask::Op;
  using Result = PictureMask::Result;

  explicit PictureMatcher(const std::vector<Inst>& program)
      : prog_(program), seen_(program.size()), fillSeen_(program.size()) {}

  Result Run(std::string& text, bool autoFill) {
    List cur;
    seen_.Begin();
    Add(cur, 0, -1, seen_);
    for (char c : text) {
      List next;
      if (!Take(cur, c, next) && !(autoFill && TakeWithFill(cur, c, next))) return Result::kError;
      cur = std::move(next);
    }
    if (autoFill) FillTail(cur);
    const Thread* pick = &cur.front();
    bool complete = false;
    bool more = false;
    for (const Thread& t : cur) {
      if (prog_[t.pc].op != Op::kMatch) {
        more = true;
      } else if (!complete) {
        complete = true;
        pick = &t;
      }
    }
    text = Written(pick->out);
    if (!complete) return Result::kIncomplete;
    return more ? Result::kAmbiguous : Result::kComplete;
  }

 private:
  struct Thread {
    int pc;
    int out;  // last cell of the written text, -1 for none
  };
  struct Cell {
    int parent;
    char c;
  };
  using List = std::vector<Thread>;

  // Program positions already holding a thread in the list being built.
  struct Marks {
    explicit Marks(std::size_t n) : gen(n, 0) {}
    void Begin() { ++now; }
    bool Visit(int pc) {
      if (gen[pc] == now) return false;
      gen[pc] = now;
      return true;
    }
    std::vector<unsigned> gen;
    unsigned now = 0;
  };

  // Follows splits and jumps from pc without consuming anything; an epsilon loop such as
  // *[#] ends because each position is visited once per list.
  void Add(List& list, int pc0, int out, Marks& marks) {
    stack_.assign(1, pc0);
    while (!stack_.empty()) {
      const int pc = stack_.back();
      stack_.pop_back();
      if (!marks.Visit(pc)) continue;
      const Inst& in = prog_[pc];
      if (in.op == Op::kJump) {
        stack_.push_back(in.x);
      } else if (in.op == Op::kSplit) {
        stack_.push_back(in.y);
        stack_.push_back(in.x);
      } else {
        list.push_back({pc, out});
      }
    }
  }

  int Write(int out, char c) {
    cells_.push_back({out, c});
    return static_cast<int>(cells_.size()) - 1;
  }

  static bool Accept(const Inst& in, char c, char& written) {
    written = c;
    switch (in.cls) {
      case '#':
        return IsAsciiDigit(c);
      case '?':
        return IsAsciiLetter(c);
      case '&':
        written = AsciiUpper(c);
        return IsAsciiLetter(c);
      case '!':
        written = AsciiUpper(c);
        return true;
      case '@':
        return true;
      default:
        written = in.lit;
        return AsciiUpper(c) == AsciiUpper(in.lit);
    }
  }

  bool Take(const List& from, char c, List& to) {
    seen_.Begin();
    char written = 0;
    for (const Thread& t : from) {
      const Inst& in = prog_[t.pc];
      if (in.op == Op::kChar && Accept(in, c, written))
        Add(to, t.pc + 1, Write(t.out, written), seen_);
    }
    return !to.empty();
  }

  // The typed character fits nowhere: write the literals that stand in its way, one round at
  // a time, until some thread takes it.  One set of marks serves all rounds, so each program
  // position is filled at most once per character and the rounds cannot go on for ever.
  bool TakeWithFill(const List& from, char c, List& to) {
    fillSeen_.Begin();
    for (const Thread& t : from) fillSeen_.Visit(t.pc);
    List frontier = from;
    for (;;) {
      List filled;
      for (const Thread& t : frontier) {
        const Inst& in = prog_[t.pc];
        if (in.op == Op::kChar && in.cls == 'L')
          Add(filled, t.pc + 1, Write(t.out, in.lit), fillSeen_);
      }
      if (filled.empty()) return false;
      if (Take(filled, c, to)) return true;
      frontier = std::move(filled);
    }
  }

  // At the end of the text, writes the literal that must come next, for as long as every
  // thread agrees on it and none could stop here.
  void FillTail(List& list) {
    for (std::size_t guard = 0; guard < prog_.size(); ++guard) {
      char lit = 0;
      bool agreed = false;
      for (const Thread& t : list) {
        const Inst& in = prog_[t.pc];
        if (in.op == Op::kMatch || in.cls != 'L' || (agreed && in.lit != lit)) return;
        lit = in.lit;
        agreed = true;
      }
      if (!agreed) return;
      List next;
      seen_.Begin();
      for (const Thread& t : list) Add(next, t.pc + 1, Write(t.out, lit), seen_);
      list = std::move(next);
    }
  }

  std::string Written(int out) const {
    std::string s;
    for (int i = out; i >= 0; i = cells_[i].parent) s.push_back(cells_[i].c);
    return std::string(s.rbegin(), s.rend());
  }

  const std::vector<Inst>& prog_;
  Marks seen_;
  Marks fillSeen_;
  std::vector<Cell> cells_;
  std::vector<int> stack_;
};

PictureMask::PictureMask(std::string picture) : picture_(std::move(picture)) {
  if (picture_.empty()) {
    error_ = "empty picture";
    return;
  }
  Node root;
  if (!Parser(picture_).Parse(root, error_)) return;
  if (!PictureCompiler(program_).Compile(root)) {
    program_.clear();
    error_ = "picture too large";
    return;
  }
  valid_ = true;
}

PictureMask::Result PictureMask::Check(std::string& text, bool autoFill) const {
  if (!valid_) return Result::kSyntax;
  if (text.empty()) return Result::kEmpty;
  std::string work = text;
  Result r = PictureMatcher(program_).Run(work, autoFill);
  if (r == Result::kError) return r;
  // Filling may have chosen one alternative ("9" becomes "X9" in "X9,599"), after which more
  // literals are due, and the matcher's answer still counted the other paths.  Checking again
  // until nothing more is filled makes the answer, and the text, those a second check gives.
  for (int round = 0; autoFill && work != text && round < 16; ++round) {
    std::string again = work;
    const Result next = PictureMatcher(program_).Run(again, true);
    if (next == Result::kError) break;
    r = next;
    if (again == work) break;
    work = std::move(again);
  }
  text = std::move(work);
  return r;
}

bool PictureMask::IsValidInput(std::string& text, bool autoFill) const {
  return Check(text, autoFill) != Result::kError;
}

bool PictureMask::IsValid(const std::string& text) const {
  std::string copy = text;
  const Result r = Check(copy, false);
  return r != Result::kError && r != Result::kIncomplete;
}

}  // namespace vk
