#include "skin/data/SkinData.h"

#include "skin/data/IniValues.h"
#include "skin/data/ModalMessage.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinBmpDecoder.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinResources.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/ResourceBytes.h"

#include <exception>
#include <new>

namespace skin {
namespace {

// A skin file larger than this is not a skin (the package itself is capped
// lower by the reader).
constexpr uint64_t kMaxSkinFileBytes = uint64_t(TSkinReader::kMaxPackageSize) + 4;
constexpr int kHintMaxWidth = 500;

TSkinData& Data(ui::Component& c) { return static_cast<TSkinData&>(c); }
const TSkinData& Data(const ui::Component& c) { return static_cast<const TSkinData&>(c); }

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') {
            ++start;
        }
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

void IgnoreWrite(ui::Component&, std::string_view) {}

// Published properties in their streaming order.
const ui::PropertyInfo kSkinDataProperties[] = {
    {"Active", [](const ui::Component& c) { return ui::BoolToText(Data(c).Active()); },
     [](ui::Component& c, std::string_view v) { Data(c).SetActive(ui::TextToBool(v)); }},
    {"DisableTag", [](const ui::Component& c) { return ui::IntToText(Data(c).DisableTag); },
     [](ui::Component& c, std::string_view v) { Data(c).DisableTag = int32_t(ui::TextToInt(v)); }},
    {"SkinControls",
     [](const ui::Component& c) { return SetToText(Data(c).SkinControls.Bits(), SkinControlTypeNames()); },
     [](ui::Component& c, std::string_view v) {
         Data(c).SkinControls = TSkinControlTypes(TextToSet(v, SkinControlTypeNames()));
     }},
    {"Options", [](const ui::Component& c) { return SetToText(Data(c).Options.Bits(), SkinOptionNames()); },
     [](ui::Component& c, std::string_view v) { Data(c).Options = TSkinOptions(TextToSet(v, SkinOptionNames())); }},
    {"Skin3rd", [](const ui::Component& c) { return JoinLines(Data(c).Skin3rd()); },
     [](ui::Component& c, std::string_view v) { Data(c).SetSkin3rd(SplitLines(v)); }},
    {"SkinFile", [](const ui::Component& c) { return ui::WideToUtf8(Data(c).SkinFile()); },
     [](ui::Component& c, std::string_view v) { Data(c).SetSkinFile(ui::Utf8ToWide(v)); }},
    {"SkinStore", [](const ui::Component& c) { return Data(c).SkinStore(); }, IgnoreWrite},
    {"SkinFormtype", [](const ui::Component& c) { return FormTypeToText(Data(c).SkinFormtype); },
     [](ui::Component& c, std::string_view v) { Data(c).SkinFormtype = TextToFormType(v); }},
    {"Version", [](const ui::Component& c) { return Data(c).Version(); }, IgnoreWrite},
    {"MenuUpdate", [](const ui::Component& c) { return ui::BoolToText(Data(c).MenuUpdate); },
     [](ui::Component& c, std::string_view v) { Data(c).MenuUpdate = ui::TextToBool(v); }},
    {"MenuMerge", [](const ui::Component& c) { return ui::BoolToText(Data(c).MenuMerge); },
     [](ui::Component& c, std::string_view v) { Data(c).MenuMerge = ui::TextToBool(v); }},
};

bool SystemHasScrollBarInfo() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr && GetProcAddress(user32, "GetScrollBarInfo") != nullptr;
}

// The whole file, or nothing when it cannot be read or is too large to be a skin.
bool ReadWholeFile(const std::wstring& path, MemoryStream& target) {
    struct FileCloser {
        void operator()(HANDLE h) const noexcept { CloseHandle(h); }
    };
    HANDLE raw = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::unique_ptr<void, FileCloser> file(raw);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(raw, &size) || uint64_t(size.QuadPart) > kMaxSkinFileBytes) {
        return false;
    }
    MemoryStream bytes;
    bytes.SetSize(size_t(size.QuadPart));
    DWORD read = 0;
    if (size.QuadPart > 0 && (!ReadFile(raw, bytes.Data(), DWORD(size.QuadPart), &read, nullptr) ||
                              read != DWORD(size.QuadPart))) {
        return false;
    }
    target = std::move(bytes);
    target.SetPosition(0);
    return true;
}

} // namespace

const ui::ClassInfo TSkinData::kClass{"TSkinData", &ui::Component::kClass, kSkinDataProperties};

TSkinData::TSkinData(ui::Component* owner)
    : ui::Component(owner),
      showMessage(ShowModalMessage),
      skin3rd_(DefaultSkin3rd().begin(), DefaultSkin3rd().end()),
      appIcon_(0, 0, ui::PixelFormat::Bit24),
      menuGlyphs_(LoadMenuGlyphs()),
      workArea_{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)} {
    hint_ = &Create<ui::HintWindow>();
}

TSkinData::~TSkinData() {
    // Everything else is owned by value and goes with the object.
    if (SkinManagerLink* manager = SkinManager()) {
        manager->UnregisterSkinData(*this);
    }
}

bool TSkinData::ReadSkinStream(MemoryStream& stream) {
    skinStream_.Clear();
    uint32_t count = 0;
    if (!stream.ReadUInt32(count)) {
        return false;
    }
    if (count > stream.Remaining()) {
        stream.SetPosition(stream.Size());
        return false;
    }
    skinStream_.Write(stream.Data() + stream.Position(), count);
    skinStream_.SetPosition(0);
    stream.SetPosition(stream.Position() + count);
    return count == 0 || LoadSkin();
}

void TSkinData::WriteSkinStream(MemoryStream& stream) const {
    stream.WriteUInt32(uint32_t(skinStream_.Size()));
    stream.Write(skinStream_.Bytes());
}

bool TSkinData::ReadSkinStreamFromResource(HMODULE module, const wchar_t* name) {
    const auto bytes = ui::ResourceBytes(module, name, RT_RCDATA);
    if (!bytes) {
        return false;
    }
    MemoryStream stream;
    stream.WriteUInt32(uint32_t(bytes->size()));
    stream.Write(*bytes);
    stream.SetPosition(0);
    return ReadSkinStream(stream);
}

bool TSkinData::LoadSkin() {
    notLoaded_ = true;
    struct LoadScope {
        LoadContext*& slot;
        ~LoadScope() { slot = nullptr; }
    };
    try {
        TSkinReader reader(showMessage);
        skinStream_.SetPosition(0);
        if (!reader.Open(skinStream_)) {
            return false;
        }
        MemoryStream description;
        std::string descriptionName;
        reader.FindEntry(".ini", description, descriptionName);
        TQuickIni ini;
        ini.LoadFromStream(&description);

        SkinObjectSet fresh;
        LoadContext context{reader, kMaxPixelsPerLoad};
        load_ = &context;
        const LoadScope scope{load_};
        ReadSkinDescription(
            ini, [this](ui::Bitmap& bitmap, const std::string& value) { LoadSkinBitmap(bitmap, value); }, fresh);
        static_cast<SkinObjectSet&>(*this) = std::move(fresh);
        notLoaded_ = false;
        return true;
    } catch (const std::exception&) {
        // Out of memory on a damaged skin: the previous objects stay.
        return false;
    }
}

void TSkinData::LoadSkinBitmap(ui::Bitmap& bitmap, const std::string& value) const {
    const std::string entry = BitmapEntryName(value);
    if (entry.empty() || load_ == nullptr) {
        bitmap.Clear();
        return;
    }
    MemoryStream bytes;
    load_->reader.GetEntry(entry, bytes);
    if (bytes.Size() == 0 || !DecodeBmp(bytes.Bytes(), bitmap)) {
        bitmap.Clear();
        return;
    }
    const int64_t pixels = int64_t(bitmap.Width()) * bitmap.Height();
    if (pixels > load_->pixelsLeft) {
        bitmap.Clear();
        return;
    }
    load_->pixelsLeft -= pixels;
}

void TSkinData::Loaded() {
    streaming_ = false;
    if (!SystemHasScrollBarInfo()) {
        SkinControls.Exclude(xcScrollbar);
    }
    SkinManagerLink* manager = EnsureSkinManager();
    if (manager != nullptr) {
        manager->RegisterSkinData(*this);
    }
    BuildCaptionFont();
    if (SkinFormtype == TSkinFormType::sfMainform) {
        if (manager != nullptr) {
            manager->InstallHook();
        }
        if (active_) {
            if (notLoaded_) {
                active_ = false;
            } else if (manager != nullptr) {
                manager->PostCommand(SkinCommand::Skin, kCommandDelayMs);
            }
        }
        if (SkinControls.Contains(xcMainMenu)) {
            SkinControls.Exclude(xcMenuItem);
        } else {
            SkinControls.Exclude(xcSystemMenu);
        }
        BuildAppIconBitmap();
        return;
    }
    if (manager != nullptr) {
        manager->SwitchOn();
        manager->SetStartCount(manager->StartCount() + 1);
        auto* form = dynamic_cast<ui::Form*>(Owner());
        if (form != nullptr && active_) {
            manager->SkinForm(*form);
        }
    }
}

void TSkinData::SetActive(bool value) {
    if (value == active_) {
        return;
    }
    active_ = value;
    SkinManagerLink* manager = SkinManager();
    if (streaming_ || manager == nullptr) {
        return;
    }
    switch (SkinFormtype) {
    case TSkinFormType::sfOnlyThisForm:
        manager->SetCurrentSkinData(*this);
        if (!(value && notLoaded_)) {
            manager->PostCommand(value ? SkinCommand::Skin : SkinCommand::Unskin, kCommandDelayMs);
        }
        break;
    case TSkinFormType::sfMainform:
        if (value && notLoaded_) {
            break;
        }
        manager->SetCurrentSkinData(*this);
        manager->PostCommand(value ? SkinCommand::Skin : SkinCommand::Unskin, kCommandDelayMs);
        if (value) {
            manager->SetStartCount(1);
        }
        break;
    case TSkinFormType::sfDialog:
    case TSkinFormType::sfDLL:
        break;
    }
}

void TSkinData::SetSkinFile(const std::wstring& value) {
    notLoaded_ = true;
    skinFile_ = value;
    if (value.empty() || !ReadWholeFile(value, skinStream_)) {
        return;
    }
    LoadSkin();
    ApplySkin();
}

void TSkinData::ApplySkin() {
    if (streaming_) {
        return;
    }
    if (SkinManager() == nullptr) {
        Loaded();
    }
    SkinManagerLink* manager = SkinManager();
    if (manager == nullptr) {
        return;
    }
    manager->SetCurrentSkinData(*this);
    manager->ReloadFrameData(*this);
    if (manager->StartCount() == 1) {
        manager->PostCommand(SkinCommand::Refresh, kCommandDelayMs);
    }
}

void TSkinData::CanSkinWindow(HWND window, const std::wstring& className, bool& doSkin) {
    windowBeingDecided_ = window;
    if (OnFormSkin) {
        OnFormSkin(*this, className, doSkin);
        return;
    }
    if (className == L"SysMonthCal32" || (SkinControls.Contains(xcFastReport) && className.starts_with(L"Tfr"))) {
        doSkin = false;
    }
}

void TSkinData::ShowCaptionHint(const RECT& rect, const std::wstring& text) {
    if (!Options.Contains(xoCaptionButtonHint) || hintShowing_) {
        return;
    }
    RECT area = hint_->CalcHintRect(kHintMaxWidth, text);
    OffsetRect(&area, rect.left, rect.top);
    hint_->ActivateHint(area, text);
    hintShowing_ = true;
}

void TSkinData::HideCaptionHint() {
    if (!hintShowing_) {
        return;
    }
    hint_->ReleaseHint();
    hintShowing_ = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) {
        OnSkinChanged(*this);
    }
}

void TSkinData::BuildCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        captionFont_.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    }
}

void TSkinData::BuildAppIconBitmap() {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    ui::Bitmap picture(width, height, ui::PixelFormat::Bit24);
    picture.Fill(ui::clFuchsia);
    const HWND application = ui::App().Handle();
    auto icon = reinterpret_cast<HICON>(SendMessageW(application, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(SendMessageW(application, WM_GETICON, ICON_BIG, 0));
    }
    if (icon != nullptr) {
        const ui::UniqueIcon small(
            static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE)));
        if (small) {
            DrawIconEx(picture.GetCanvas().Handle(), 0, 0, small.get(), width, height, 0, nullptr, DI_NORMAL);
        }
    }
    picture.transparent = true;
    picture.transparentColor = ui::clFuchsia;
    appIcon_ = std::move(picture);
}

} // namespace skin
