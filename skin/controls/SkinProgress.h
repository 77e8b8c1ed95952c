#pragma once
// A progress bar drawn from the skin's Progress element: the empty frame,
// and the filled frame over the part done. A vertical bar is drawn lying
// down and turned, so it fills from the bottom.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinProgress : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    bool BeforeMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

private:
    bool HasProgressElement() const;
    // The two-frame look: frame 1 empty, frame 2 over the part done.
    void DrawFramed(HDC dc, int width, int height) const;
    // The chunk look: one frame, chunk images over the part done.
    void DrawChunks(HDC dc, int width, int height) const;
};

} // namespace skin
