#pragma once

#include <QImage>
#include <QMargins>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "graphs/KTSchFramePopup.h"
#include "graphs/KTTimeMark.h"

class QPrinter;
class KDaySchedule;

// An image control: a widget that shows a picture drawn once into its own image.
// It also keeps the item-label areas of the last draw and tells its owner when
// the pointer enters or leaves them. The pie, the timeline and the bar graph derive from it.
class KTGraphImage : public QWidget {
public:
    using LabelEnterHandler = std::function<void(int index, int x, int y)>;
    using LabelLeaveHandler = std::function<void(int index)>;
    using MouseMoveHandler = std::function<void(QMouseEvent *event)>;

    explicit KTGraphImage(QWidget *parent = nullptr);
    ~KTGraphImage() override;

    // The picture as drawn (what is printed); the time mark and the popup are not part of it.
    const QImage &Picture() const;

    LabelEnterHandler OnLabelEnter;
    LabelLeaveHandler OnLabelLeave;
    void SetOnMouseMoveUser(MouseMoveHandler handler) { onMouseMoveUser_ = std::move(handler); }
    // Replaceable mouse-button handlers; a control with a handler takes the button's events itself.
    void SetOnMouseDown(MouseMoveHandler handler) { onMouseDown_ = std::move(handler); }
    void SetOnMouseUp(MouseMoveHandler handler) { onMouseUp_ = std::move(handler); }
    // A popup menu the control opens by itself on a context-menu request (when autoPopup is on).
    void SetPopupMenu(QMenu *menu, bool autoPopup);
    QMenu *PopupMenu() const { return popupMenu_; }
    bool AutoPopup() const { return autoPopup_; }

    // One item label per frame of the last draw; a label that does not fit its frame is not
    // drawn (its area is null) and the frame itself answers the pointer instead.
    int ItemLabelCount() const { return int(itemLabels_.size()); }
    // Final area of item label i in control coordinates; null when the label is not drawn.
    QRect ItemLabelRect(int i) const;
    bool ItemLabelShown(int i) const { return !ItemLabelRect(i).isNull(); }

    // Prints the picture on the default printer, or into a PDF file when there is none.
    bool PrintPicture(const QString &title, double widthInches, double heightInches);
    bool PrintPicture(QPrinter &printer, const QString &title, double widthInches, double heightInches);

    // Number of whole-picture draws so far (the tick must not add to it).
    int DrawCount() const { return drawCount_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void leaveEvent(QEvent *event) override;

    // The image, resized to the control first when the control's size changed (a hidden
    // widget gets its resize event only when shown).
    QImage &Canvas();
    void FillCanvasWhite();
    void CountDraw() { ++drawCount_; }
    // Whether the hit test thinks the pointer is inside a label.
    bool LabelInside() const { return labelInside_; }
    void HitTest(const QPoint &pos);
    // A new picture has new labels: the pointer counts as outside them until it moves.
    void ForgetHover()
    {
        labelInside_ = false;
        hoveredFrame_ = -1;
    }
    // The frame under pos among those whose label is not drawn, or -1.
    virtual int HiddenLabelFrameAt(const QPoint &pos) const;
    // Index of the first of earlier[0..count) that r overlaps, or -1. Each earlier area is
    // first grown by the margins; areas that share a pixel overlap, and so does an area
    // that spans the other completely. Null areas (labels not drawn) are skipped.
    static int FirstOverlap(const std::vector<QRect> &earlier, size_t count, const QRect &r,
                            const QMargins &grow = {});

    // The widget that holds the mark and the popup (the parent, or this when there is none),
    // and this control's top-left in it.
    QWidget *Host();
    QPoint PosInHost() const;

    // Shared by the schedule pie and the schedule timeline.
    void EnsureTimeMark(int style, int size);
    void DestroyTimeMark();
    KTTimeMark *TimeMarkWidget() const { return timeMark_; }
    void EnablePopups(bool on, const KDaySchedule *const *schedule);
    void HidePopup();
    KTSchFramePopup *PopupWidget() const { return framePopup_; }
    std::function<void()> popupHidden_;

    std::vector<QRect> itemLabels_; // final label areas, control coordinates

private:
    void SyncCanvasSize() const;

    mutable QImage canvas_;
    MouseMoveHandler onMouseMoveUser_;
    MouseMoveHandler onMouseDown_;
    MouseMoveHandler onMouseUp_;
    QPointer<QMenu> popupMenu_;
    bool autoPopup_ = false;
    bool labelInside_ = false;
    int hoveredFrame_ = -1;
    bool hoveredOnLabel_ = false;
    int drawCount_ = 0;
    QPointer<KTTimeMark> timeMark_;
    QPointer<KTSchFramePopup> framePopup_;
};
