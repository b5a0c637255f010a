#pragma once

#include <string>

// What an open or save dialog is asked to show. Filter uses the "text|patterns|text|patterns"
// form, patterns separated by ';'; FilterIndex counts from 1.
struct KFileDialogRequest {
    std::u16string Filter;
    int FilterIndex = 1;
    std::u16string FileName;
};

// The platform's open and save file dialogs.
class KFileDialogs {
public:
    virtual ~KFileDialogs() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual std::u16string OpenFile(const KFileDialogRequest &request) = 0;
    virtual std::u16string SaveFile(const KFileDialogRequest &request) = 0;
};
