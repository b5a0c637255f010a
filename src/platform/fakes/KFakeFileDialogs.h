#pragma once

#include "platform/core/KFileDialogs.h"

#include <deque>
#include <vector>

// Answers file dialogs from a queue set by the test and records every request. With an
// empty queue a dialog is cancelled.
class KFakeFileDialogs : public KFileDialogs {
public:
    struct Asked {
        bool Save;
        KFileDialogRequest Request;
    };

    std::u16string OpenFile(const KFileDialogRequest &request) override { return Answer(false, request); }
    std::u16string SaveFile(const KFileDialogRequest &request) override { return Answer(true, request); }

    std::deque<std::u16string> Answers;
    std::vector<Asked> History;

private:
    std::u16string Answer(bool save, const KFileDialogRequest &request)
    {
        History.push_back({save, request});
        if (Answers.empty())
            return std::u16string();
        std::u16string a = Answers.front();
        Answers.pop_front();
        return a;
    }
};
