#pragma once
// Subclassing a window without executable thunks. A window property (one
// atom per layer) holds a small record: the object that handles the window's
// messages and the procedure it replaced. One static procedure per layer
// reads the record and calls the object.
//
// Letting go restores the replaced procedure when ours is still the one on
// top. When someone subclassed the window after us, cutting our procedure out
// would cut them off too: ours then stays in the chain as a pass-through
// (the record forgets the object) until the window is destroyed.

#include <windows.h>

namespace skin {

class SubclassLayer {
public:
    using Handler = LRESULT (*)(void* object, UINT msg, WPARAM wParam, LPARAM lParam);

    // layerName names the property atom; procedure is the layer's static
    // procedure, which calls Dispatch.
    SubclassLayer(const wchar_t* layerName, WNDPROC procedure);
    SubclassLayer(const SubclassLayer&) = delete;
    SubclassLayer& operator=(const SubclassLayer&) = delete;

    // Puts the layer's procedure in place (W or A functions). Answers the
    // replaced procedure, or none when the layer already holds the window or
    // the window is gone.
    WNDPROC Install(HWND window, bool unicode, void* object, Handler handler);
    // Lets go of the window for `object`; see above.
    void Remove(HWND window, void* object);
    // Whether `object` handles the window's messages through this layer.
    bool Holds(HWND window, const void* object) const;

    // For the layer's static procedure.
    LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct Record;
    Record* Find(HWND window) const;
    void Drop(HWND window, Record* record);

    ATOM atom_;
    WNDPROC procedure_;
};

} // namespace skin
