#pragma once

#include "graphs/core/KDragTarget.h"

#include <QPointF>
#include <Qt>
#include <cstdint>
#include <vector>

// What the drag editor needs of a schedule view: what lies under a point, the time of day
// there, the cursor for an edge, and a repaint of the frames from the schedule it shows.
// A view that answers nothing to HitAt cannot be edited by dragging.
class KTDragSurface {
public:
    virtual ~KTDragSurface() = default;
    // Hit-testing tolerance, pixels.
    static constexpr double EdgeTolerance = 4.0;

    virtual KDragTarget HitAt(QPointF) const { return {}; }
    // Seconds of the day under the point (on the timeline held to 0 .. 86400).
    virtual int32_t SecondsAt(QPointF) const { return 0; }
    virtual bool OnTimeline() const { return false; }
    // The resize cursor that shows which way an edge moves.
    virtual Qt::CursorShape EdgeCursor(const KDragEdge &) const { return Qt::ArrowCursor; }
    // The picture drawn again from the schedule: frames, scale, item and hour labels. The
    // current-time mark and the popup stay as they are.
    virtual void RepaintFrames() = 0;
    virtual void HideFramePopup() = 0;
    // While a drag moves some frames: BeginMoving names them, so that the view may keep the
    // rest of the picture ready; RepaintMoving draws the picture again for their new times;
    // EndMoving drops what was kept.
    virtual void BeginMoving(const std::vector<int32_t> &) {}
    virtual void RepaintMoving() { RepaintFrames(); }
    virtual void EndMoving() {}
};
