#pragma once

#include <QFrame>
#include <cstdint>
#include <functional>

class QLabel;
class QTextEdit;
class KPrompter;

// A panel that shows, and while editable edits, a text too long for its grid column.
// Its height follows the number of wrapped lines of the text.
class KTMemoPanel : public QFrame {
public:
    using Handler = std::function<void(KTMemoPanel *)>;

    explicit KTMemoPanel(QWidget *owner = nullptr);
    KTMemoPanel(QWidget *owner, QWidget *parent);

    void SetParent(QWidget *parent);
    void SetHeight(int h);
    void SetWidth(int w);

    void SetPanelText(const QString &text);
    QString PanelText() const;

    void SetMemoColor(uint32_t color);
    void SetMemoFontColor(uint32_t color);
    void SetMemoBorder(bool on);
    void SetMaxLength(int n);
    void SetEditable(bool on);
    void SetCommitHandler(Handler h) { commit_ = std::move(h); }
    void SetOnMouseEnter(Handler h);
    void SetOnMouseLeave(Handler h);
    // Shows the "too many characters" message; a message box owned by the window when none is given.
    void SetPrompter(KPrompter *prompter) { prompter_ = prompter; }

    uint32_t MemoColor() const { return memoColor_; }
    bool MemoBorder() const { return memoBorder_; }
    int MaxLength() const { return maxLength_; }
    bool Editable() const { return editable_; }
    bool MouseInside() const { return mouseInside_; }

    int MaxLines = 10;
    int MinLines = 2;

    QTextEdit *MemoBox() const { return memo_; }
    QLabel *LineProbe() const { return probe_; }
    // Lines the memo shows for the text after word wrap at its current width.
    int WrappedLines(const QString &text) const;
    // The message shown when the text is at its limit.
    QString LimitMessage() const;

protected:
    bool eventFilter(QObject *obj, QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void Build();
    void RecomputeHeight();
    void ApplyMemoPalette();
    void MouseEntered();
    void MouseLeft();
    bool IsCharacterKey(int key) const;
    void EnforceLimit();

    QTextEdit *memo_ = nullptr;
    QLabel *probe_ = nullptr;
    QString text_;
    uint32_t memoColor_ = 0xFFFFFF;
    uint32_t memoFontColor_ = 0x000000;
    bool memoBorder_ = true;
    int maxLength_ = 0;
    int baseLength_ = 0;
    bool editable_ = false;
    bool mouseInside_ = false;
    Handler commit_, enter_, leave_;
    KPrompter *prompter_ = nullptr;
};
