#pragma once
// The modal dialogs: message boxes and the save dialog with a picture preview. Texts come in
// as code page 932; file names are the file system's own bytes.
#include <QStringList>
#include <string>

#include "platform/controls/Host.h"

class QWidget;

QString FromCp932(const std::string& text);

TModalResult ShowMessageBox(QWidget* parent, const std::string& text, const std::string& caption, TMsgKind kind,
                            TMsgButtons buttons);

// "description|pattern;pattern|..." as the file dialog's name filters. Each description is
// kept as it reads; the patterns follow it in parentheses, where the dialog finds them.
QStringList NameFilters(const std::string& filter);

// The save dialog. It does not ask about overwriting, and a typed name without an extension
// gets request.DefaultExt. False when the user cancels.
bool ShowSaveDialog(QWidget* parent, const TSaveDialogRequest& request, std::string& fileName);
