#pragma once
// Which views wait to be drawn again. Whatever changes what a view shows asks here, through the
// editor's RequestRedraw; the main loop draws the marked views after each message and takes
// their marks off.

#include <array>

#include "scene/RedrawScope.h"
#include "views/ViewProjection.h"

namespace kvx {

class RedrawMarks {
  public:
    // ThisView marks `view` only; the others ignore it.
    void Request(RedrawScope scope, ViewId view) {
        switch (scope) {
            case RedrawScope::None:
                break;
            case RedrawScope::ThisView:
                Mark(view);
                break;
            case RedrawScope::All:
                Mark(ViewPerspective);
                [[fallthrough]];
            case RedrawScope::Orthographic:
                for (const ViewId v : FlatViews)
                    Mark(v);
                break;
        }
    }
    bool Marked(ViewId view) const { return IsView(view) && marks_[Slot(view)]; }
    // After the view was drawn, or when it closes.
    void Done(ViewId view) {
        if (IsView(view)) marks_[Slot(view)] = false;
    }

  private:
    static constexpr bool IsView(ViewId v) { return v >= ViewTop && v <= ViewPerspective; }
    static constexpr std::size_t Slot(ViewId v) { return static_cast<std::size_t>(v - ViewTop); }
    void Mark(ViewId view) {
        if (IsView(view)) marks_[Slot(view)] = true;
    }
    std::array<bool, 7> marks_{};
};

}  // namespace kvx
