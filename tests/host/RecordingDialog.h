// A dialog that writes each operation to the shared call log, with its texts
// decoded from code page 936 to UTF-8, and answers questions as told.
#pragma once

#include <string>

#include "Cp936.h"
#include "FakeSystemServices.h"
#include "inspect/DialogOperations.h"

class RecordingDialog final : public DialogOperations {
 public:
  explicit RecordingDialog(CallLog& log) : log_(log) {}

  int answer = 7;  // IDNO, unless a test says otherwise

  void SetFieldText(int controlId, const char* text) override {
    log_.push_back("SetFieldText(" + std::to_string(controlId) + ", " + Utf8FromCp936(text) + ")");
  }
  void EnableUpgradeButton(bool enable) override {
    log_.push_back(std::string("EnableUpgradeButton(") + (enable ? "true" : "false") + ")");
  }
  void AppMessageBox(const char* text) override {
    log_.push_back("AppMessageBox(" + Utf8FromCp936(text) + ")");
  }
  int AskMessageBox(const char* text, const char* caption, unsigned type) override {
    log_.push_back("AskMessageBox(" + Utf8FromCp936(text) + ", " + Utf8FromCp936(caption) + ", " +
                   std::to_string(type) + ") = " + std::to_string(answer));
    return answer;
  }

 private:
  CallLog& log_;
};
