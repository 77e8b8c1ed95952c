#include "app/WindowReferences.h"

#include "app/LoginWindow.h"

namespace app {

ui::Ref<Tfmlg>& fmlg() {
    static ui::Ref<Tfmlg> reference;
    return reference;
}

ui::Ref<Tfmmain>& fmmain() {
    static ui::Ref<Tfmmain> reference;
    return reference;
}

ui::Ref<Tfms>& fms() {
    static ui::Ref<Tfms> reference;
    return reference;
}

ui::Ref<Tfrmrg>& frmrg() {
    static ui::Ref<Tfrmrg> reference;
    return reference;
}

} // namespace app
