#pragma once
// Native dialogs through GTK 3: the open and save file choosers (installed
// as the core library's dialog provider) and modal message boxes. Where GTK
// cannot open the display, the file dialogs return "" and messages go to
// standard output.

#include <string>

#include "core/LFileDialogs.h"
#include "evolution/WindowPort.h"

class GtkDialogProvider : public LFileDialogProvider {
  public:
    std::string openFile(const std::string& typeName, const std::string& pattern) override;
    std::string saveFile(const std::string& typeName, const std::string& pattern) override;
};

// Prepares GTK on the window's X display without touching the process
// locale; returns whether dialogs can be shown.
bool initializeDialogs();

// A modal message box with a caption and an icon, transient for the main
// window where possible.
void showMessageBox(const std::string& text, const std::string& caption, MessageIcon icon);

// A modal yes/no question whose default answer is no; false when the user
// says no or GTK is missing.
bool askQuestion(const std::string& text, const std::string& caption);

// The X window the dialogs stay above (0: none).
void setDialogParentWindow(unsigned long xWindow);
