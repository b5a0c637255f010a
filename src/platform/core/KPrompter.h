#pragma once

#include <string>

// Modal message boxes and questions, owned by the application window.
enum class KMsgIcon { None, Information, Warning, Error, Question };
enum class KMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class KMsgAnswer { Ok, Cancel, Yes, No };

class KPrompter {
public:
    virtual ~KPrompter() = default;
    virtual KMsgAnswer Ask(const std::u16string &caption, const std::u16string &text, KMsgIcon icon,
                           KMsgButtons buttons) = 0;

    void Show(const std::u16string &caption, const std::u16string &text, KMsgIcon icon = KMsgIcon::None)
    {
        Ask(caption, text, icon, KMsgButtons::Ok);
    }
};
