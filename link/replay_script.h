#pragma once
// Scripted serial reads in text form: one line per sio_read result.
//   hex byte pairs separated by blanks  -> a read returning those bytes (<= 2048)
//   an empty line, or "-"               -> a read returning 0
//   a line starting with '#'            -> a comment
// Any other line is malformed, and so is a line longer than any read could
// be written in (kMaxScriptLine bytes).
//
// The script is read a line at a time, so memory does not grow with its length.

#include <QIODevice>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lcr {

// A line of 2048 byte pairs needs 6143 characters; blanks may pad it.
inline constexpr std::size_t kMaxScriptLine = 65536;

// Parses one line (without its line end). Nothing, for a comment; false, with
// the fault in *why, for a malformed line.
bool ParseScriptLine(std::string_view line, std::optional<std::vector<unsigned char>>& read, std::string& why);

// `text` with control characters, NULs, DEL and bytes above 0x7E shown as \xNN
// (and the backslash as \\), so a message never carries them to a terminal.
std::string EscapeForMessage(std::string_view text);

class ReplayScriptReader {
 public:
  explicit ReplayScriptReader(QIODevice& in) : in_(in) {}

  // The next read of the script; false at the end or at a fault (see Error).
  bool Next(std::vector<unsigned char>& read);
  // True when no read is left (comments after the last read do not count);
  // reads ahead one line when it must.
  bool AtEnd();
  // Empty, or the fault that stopped the reader: "line N: ...".
  const std::string& Error() const { return error_; }
  // Lines consumed so far.

 private:
  bool ReadLine(std::string& line);
  bool Fill();
  bool Fail(const std::string& why);

  QIODevice& in_;
  std::vector<char> chunk_ = std::vector<char>(2 * kMaxScriptLine);  // a whole line always fits
  std::size_t begin_ = 0, end_ = 0;
  bool eof_ = false;
  std::size_t lineNo_ = 0;
  std::string line_;
  std::optional<std::vector<unsigned char>> ahead_;  // a read parsed by AtEnd
  std::string error_;
};

}  // namespace lcr
