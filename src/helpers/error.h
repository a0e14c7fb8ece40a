// The one error type of the converter: a failure that ends the run (not the
// program). It carries what failed so the message can name it.
#ifndef S1ORDO_HELPERS_ERROR_H_
#define S1ORDO_HELPERS_ERROR_H_

#include <stdexcept>
#include <string>

namespace s1ordo {

class Error : public std::runtime_error {
 public:
  // cause: what went wrong; file: the file concerned (may be empty);
  // line: 1-based line in that file, 0 when not known. All texts are
  // Shift-JIS byte strings, like every text of the converter.
  explicit Error(std::string cause, std::string file = {}, long line = 0);

  const std::string& cause() const { return cause_; }
  const std::string& file() const { return file_; }
  long line() const { return line_; }
  const std::string& borehole() const { return borehole_; }
  // The source file the user has to mend, as found under the source folder
  // ("B-2/CNT.TXT", "/" between the parts); "" when the failure is not in a
  // source file. Its line is line().
  const std::string& source_file() const { return source_file_; }

  // The run fills in the borehole when the error passes through it.
  void set_borehole(const std::string& name) { borehole_ = name; }
  void set_file(const std::string& file) { file_ = file; }
  void set_line(long line) { line_ = line; }
  void set_source_file(const std::string& file) { source_file_ = file; }

  // A multi-line Shift-JIS description for a message box or stderr. With
  // run_goes_on the first line says that the run goes on with the next
  // borehole instead of ending.
  std::string Describe(bool run_goes_on = false) const;

 private:
  std::string cause_;
  std::string file_;
  long line_;
  std::string borehole_;
  std::string source_file_;
};

// Runs step and gives back what it returns. An Error it throws that names
// no file yet is given file and line (0: not known) on its way out, so a
// value that fails to convert is reported where it was read.
template <typename Step>
decltype(auto) AtFile(const std::string& file, long line, Step&& step) {
  try {
    return step();
  } catch (Error& e) {
    if (e.file().empty()) {
      e.set_file(file);
      e.set_line(line);
    }
    throw;
  }
}

// Runs step and gives back what it returns. An Error it throws names file
// on its way out, whatever it named before: the file the caller's whole
// operation is about (a copy, a file rewritten beside itself).
template <typename Step>
decltype(auto) NamingFile(const std::string& file, Step&& step) {
  try {
    return step();
  } catch (Error& e) {
    e.set_file(file);
    throw;
  }
}

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_ERROR_H_
