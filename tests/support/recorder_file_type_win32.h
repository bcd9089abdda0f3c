#pragma once
// A document type of the tests' own, ".veloratest", that the shell opens with a recorder program
// (which logs what it was given), registered for as long as this object lives.
#include <filesystem>

namespace velora::testing {

class RecorderFileType {
 public:
  explicit RecorderFileType(const std::filesystem::path& recorder);
  ~RecorderFileType();
  RecorderFileType(const RecorderFileType&) = delete;
  RecorderFileType& operator=(const RecorderFileType&) = delete;

  // False when the registry refused the type.
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

}  // namespace velora::testing
