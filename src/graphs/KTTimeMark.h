#pragma once

#include <QWidget>

// The small magenta current-time mark of the pie and the timeline: a filled
// square (style 1) or a circle (style 2) on a transparent ground. It lives in
// the graph's parent and is only moved once a second; the graph is never redrawn for it.
class KTTimeMark : public QWidget {
public:
    static constexpr uint32_t MarkColor = 0xFF00FF;

    KTTimeMark(QWidget *parent, int style, int size);

    int Style() const { return style_; }
    void SetStyle(int style);
    int MarkSize() const { return width(); }
    // Resizes to n square, keeping the centre.
    void SetMarkSize(int n);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int style_ = 2;
};
