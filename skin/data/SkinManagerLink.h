#pragma once
// What the skin data component asks of the process-wide skin manager: the
// manager itself is a later layer, so the component talks to it through this
// interface and a process-wide instance that the manager (or a test) installs.

#include <windows.h>

#include <functional>
#include <memory>

namespace ui {
class Form;
} // namespace ui

namespace skin {

class TSkinData;

// Commands a skin data component posts to the manager.
enum class SkinCommand : int { Skin = 1, Unskin = 2, Refresh = 3 };

class SkinManagerLink {
public:
    virtual ~SkinManagerLink() = default;

    virtual void RegisterSkinData(TSkinData& data) = 0;
    virtual void UnregisterSkinData(TSkinData& data) = 0;
    // The window-creation hook that gives new top-level windows a form painter.
    virtual void InstallHook() = 0;
    // The component later commands act for.
    virtual void SetCurrentSkinData(TSkinData& data) = 0;
    // Runs command after delayMs on the manager's timer, for the component
    // last made current. Loaded posts the first skin command without making
    // itself current: it is then the registered main-form component (the
    // manager's default) that the command is for.
    virtual void PostCommand(SkinCommand command, int delayMs) = 0;
    virtual int StartCount() const = 0;
    virtual void SetStartCount(int count) = 0;
    // Lets the manager skin new windows.
    virtual void SwitchOn() = 0;
    // Gives a visible, top-level form a form painter now.
    virtual void SkinForm(ui::Form& form) = 0;
    // Every form painter of data reloads its frame metrics and pictures.
    virtual void ReloadFrameData(TSkinData& data) = 0;
};

using SkinManagerFactory = std::function<std::unique_ptr<SkinManagerLink>()>;

// The manager of the process, or none.
SkinManagerLink* SkinManager() noexcept;
// The manager of the process, made by the factory when there is none yet;
// none when no factory is installed.
SkinManagerLink* EnsureSkinManager();
// Installs the factory EnsureSkinManager uses (none removes it).
void SetSkinManagerFactory(SkinManagerFactory factory);
// Destroys the manager of the process (at shutdown, and between tests).
void DestroySkinManager() noexcept;

} // namespace skin
