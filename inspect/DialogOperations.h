// What the inspection and the upgrade need from the main dialog. The dialog
// implements it over its controls; the tests record the calls.
#pragma once

class DialogOperations {
 public:
  virtual ~DialogOperations() = default;

  // Replaces the text of a child control; text is ANSI.
  virtual void SetFieldText(int controlId, const char* text) = 0;
  // Enables or disables the upgrade button (IDOK).
  virtual void EnableUpgradeButton(bool enable) = 0;
  // The application message box: MB_OK, help context 0, the application's
  // title as caption. Returns once the user has closed it.
  virtual void AppMessageBox(const char* text) = 0;
  // A modal message box owned by the dialog; returns the button pressed.
  virtual int AskMessageBox(const char* text, const char* caption, unsigned type) = 0;
};
