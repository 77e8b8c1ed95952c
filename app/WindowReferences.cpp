#include "app/WindowReferences.h"

#include "app/LoginWindow.h"

namespace app {

ui::Ref<Tfmlg>& fmlg() {
    static ui::Ref<Tfmlg> reference;
    return reference;
}

} // namespace app
