// Views without a toolkit for the dialogs' logic: every control is an entry of a map that
// remembers what the logic put into it, and a test plays the user through the logic's event
// calls (Type, Leave, Press). Message boxes, questions, beeps and closing are recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/headless_host.h"
#include "engine/pixel_surface.h"
#include "ui/logic/advanced_dialog.h"
#include "ui/logic/props_view.h"
#include "ui/logic/template_chooser.h"

namespace astrelle::testing_support {

struct FakeControl {
    std::string text;
    bool checked = false;
    std::vector<std::string> entries;
    int selected = -1;
    std::set<int> marks;
    bool enabled = true;
    int page = -1;
    uint32_t colour = 0;
    std::vector<uint32_t> ramp;
    int profile = -1;
    std::string font;
};

template <class View>
class FakeControls : public View {
  public:
    FakeControl& At(const Control& c) { return controls_[{c.id, std::string(c.key)}]; }
    const FakeControl& At(const Control& c) const {
        static const FakeControl kNone;
        const auto it = controls_.find({c.id, std::string(c.key)});
        return it == controls_.end() ? kNone : it->second;
    }
    FakeControl& At(std::string_view key) { return At(Field(key)); }
    FakeControl& At(ControlId id) { return At(Own(id)); }

    void SetText(const Control& c, std::string_view text) override { At(c).text = text; }
    std::string Text(const Control& c) const override { return At(c).text; }
    void SelectAllText(const Control&) override {}
    void SetChecked(const Control& c, bool checked) override { At(c).checked = checked; }
    bool Checked(const Control& c) const override { return At(c).checked; }
    void FillList(const Control& c, std::span<const std::string> entries) override {
        At(c).entries.assign(entries.begin(), entries.end()), At(c).selected = -1, At(c).marks.clear();
    }
    void SetListEntry(const Control& c, int index, std::string_view text) override {
        At(c).entries.at(static_cast<size_t>(index)) = text;
    }
    void Select(const Control& c, int index) override { At(c).selected = index; }
    int Selected(const Control& c) const override { return At(c).selected; }
    void SetMarked(const Control& c, int index, bool marked) override {
        marked ? static_cast<void>(At(c).marks.insert(index)) : static_cast<void>(At(c).marks.erase(index));
    }
    bool Marked(const Control& c, int index) const override { return At(c).marks.contains(index); }
    void ScrollToTop(const Control&) override {}
    void Enable(const Control& c, bool enabled) override { At(c).enabled = enabled; }
    void Focus(const Control& c) override { focus = c; }
    void ShowPage(const Control& c, int index) override { At(c).page = index; }
    void SetColour(const Control& c, uint32_t colour) override { At(c).colour = colour; }
    void SetRamp(const Control& c, std::span<const uint32_t> colours) override {
        At(c).ramp = {colours.begin(), colours.end()};
    }
    void SetProfile(const Control& c, int profile) override { At(c).profile = profile; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return answer;
    }
    void Beep() override { ++beeps; }
    void Close(DialogResult result) override { closed = result; }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = false;
    int beeps = 0;
    std::optional<DialogResult> closed;
    Control focus;

  private:
    std::map<std::pair<ControlId, std::string>, FakeControl> controls_;
};

// The user's hand: focus, typing (each character through the key filter), leaving, arrows.
template <class View>
struct User {
    View& view;
    DialogEvents& logic;

    void Enter(const Control& c) { logic.OnFocusEntered(c), view.focus = c; }
    // Replaces the field's text by typing it, as a field whose text is selected on entry.
    void Type(const Control& c, std::string_view text) {
        Enter(c);
        view.SetText(c, "");
        for (const char ch : text) {
            if (logic.OnKeyTyped(c, static_cast<unsigned char>(ch), view.Text(c), "")) view.At(c).text += ch;
        }
        logic.OnEdited(c);
    }
    void Leave(const Control& c) { logic.OnFocusLeft(c), view.focus = Control{}; }
    void TypeAndLeave(const Control& c, std::string_view text) { Type(c, text), Leave(c); }
    void Choose(const Control& c, int index) { view.Select(c, index), logic.OnListChosen(c, index); }
    void Tick(const Control& c, bool checked) { view.SetChecked(c, checked), logic.OnChecked(c); }
    void Press(ControlId id) { logic.OnButton(Own(id)); }
};

class FakePropsView : public FakeControls<PropsView>, public PreviewTarget {
  public:
    FakePropsView() : surface(kPreviewWidth, kPreviewHeight) {}

    // A font in which every character is 6 pixels wide.
    double TextWidth(const Control&, std::string_view text) const override {
        return text.size() * kCharWidth;
    }
    void SetBusy(bool on) override { busy.push_back(on); }
    void SetPreviewRunning(const Control& stop, bool on) override { previewRunning = on, stopButton = stop; }
    PreviewTarget& Preview() override { return *this; }
    // What the dialog opens is recorded in `opened`: "open <title>|<types>", "save ...",
    // "advanced", "about", "web" and "help <topic>".
    std::string ChooseTemplateFile(TemplateMode mode, std::string_view title,
                                   std::string_view types) override {
        opened.push_back((mode == TemplateMode::Open ? "open " : "save ") + std::string(title) + "|" +
                         std::string(types));
        return chooserAnswer;
    }
    bool EditAdvancedSettings(std::string& message) override {
        opened.emplace_back("advanced");
        if (advancedAnswer) message = *advancedAnswer;
        return advancedAnswer.has_value();
    }
    void ShowAbout() override { opened.emplace_back("about"); }
    void ShowWebPage() override { opened.emplace_back("web"); }
    HelpResult OpenHelp(std::string_view topic) override {
        return opened.push_back("help " + std::string(topic)), helpResult;
    }

    EngineHost& Host() override { return host; }
    PixelSurface& Surface() override { return surface; }
    void FitSurface() override { surface.Resize(kPreviewWidth, kPreviewHeight); }
    void Present() override {}

    static constexpr double kCharWidth = 6;
    static constexpr int kPreviewWidth = 272;
    static constexpr int kPreviewHeight = 204;

    HeadlessHost host;
    PixelSurface surface;
    std::vector<bool> busy;
    bool previewRunning = false;
    Control stopButton;
    std::vector<std::string> opened;
    std::string chooserAnswer;
    std::optional<std::string> advancedAnswer;
    HelpResult helpResult = HelpResult::Opened;
};

class FakeAdvancedView : public FakeControls<AdvancedView> {
  public:
    std::vector<std::string> FontNames() const override { return fonts; }
    void SetFont(const Control& c, std::string_view family) override { At(c).font = family; }
    std::vector<std::string> fonts = {"Alpha Sans", "Beta Serif", "Gamma Mono"};
};

class FakeChooserView : public FakeControls<TemplateChooserView> {
  public:
    std::string Drive() const override { return drive; }
    std::string Folder() const override { return folder; }
    void ShowPlace(std::string_view newDrive, std::string_view newFolder) override {
        if (!newDrive.empty()) drive = newDrive;
        if (!newFolder.empty()) folder = newFolder;
    }
    void ListFiles(std::span<const std::string> globs) override { listed.assign(globs.begin(), globs.end()); }
    std::string drive = "/";
    std::string folder = "/";
    std::vector<std::string> listed;
};

}  // namespace astrelle::testing_support
