#pragma once

#include "platform/core/KPrompter.h"

#include <deque>
#include <functional>
#include <vector>

// Records every box shown and answers from a queue set by the test. With an empty
// queue an OK-only box answers Ok and a question answers DefaultAnswer.
class KFakePrompter : public KPrompter {
public:
    struct Shown {
        std::u16string Caption;
        std::u16string Text;
        KMsgIcon Icon;
        KMsgButtons Buttons;
    };

    KMsgAnswer Ask(const std::u16string &caption, const std::u16string &text, KMsgIcon icon,
                   KMsgButtons buttons) override
    {
        History.push_back({caption, text, icon, buttons});
        if (WhileAsking)
            WhileAsking();
        if (buttons == KMsgButtons::Ok)
            return KMsgAnswer::Ok;
        if (Answers.empty())
            return DefaultAnswer;
        KMsgAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }

    std::deque<KMsgAnswer> Answers;
    KMsgAnswer DefaultAnswer = KMsgAnswer::Cancel;
    // Runs while a box is up, before it is answered (a test can wait in it as a user would).
    std::function<void()> WhileAsking;
    std::vector<Shown> History;
};
