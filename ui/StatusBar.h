#pragma once
// A status bar over the common-controls status window: panels of text (or
// drawn by the program), or one simple text across the bar, and a size grip.

#include "ui/Label.h"
#include "ui/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace ui {

enum class PanelBevel { Lowered, Raised, None };
enum class PanelStyle { Text, OwnerDraw };

struct StatusPanel {
    std::wstring text;
    int width = 50;
    PanelBevel bevel = PanelBevel::Lowered;
    Alignment alignment = Alignment::Left;
    PanelStyle style = PanelStyle::Text;
};

class StatusBar : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit StatusBar(Component* owner);

    int PanelCount() const { return int(panels_.size()); }
    // The panel at index; throws std::out_of_range outside 0..PanelCount()-1.
    const StatusPanel& Panel(int index) const { return panels_.at(size_t(index)); }
    void AddPanel(const StatusPanel& panel);
    void SetPanel(int index, const StatusPanel& panel);
    void SetPanelText(int index, const std::wstring& text);
    void ClearPanels();

    // One text over the whole bar, shown instead of the panels while
    // SimplePanel is on (and always when there are no panels).
    const std::wstring& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& text);
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool on);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool on);

    // Draws an owner-drawn panel; the canvas of GetCanvas() draws on the
    // bar meanwhile.
    std::function<void(StatusBar& sender, int panel, const RECT& rect)> OnDrawPanel;
    Canvas& GetCanvas() { return canvas_; }
    // Runs OnDrawPanel for the panel on dc (a skin painter's buffer or the
    // control's own DC).
    void DrawPanel(HDC dc, int panel, const RECT& rect);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;
    void BoundsChanged(const RECT& previous) override;

private:
    void ApplyPanels();
    void ApplyPanelText(int index);

    std::vector<StatusPanel> panels_;
    std::wstring simpleText_;
    bool simplePanel_ = false;
    bool sizeGrip_ = true;
    Canvas canvas_;
};

} // namespace ui
