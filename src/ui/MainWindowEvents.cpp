#include "app/AppState.h"
#include "game/GameRoot.h"
#include "game/Install.h"
#include "game/Launch.h"
#include "game/RemoveGameFiles.h"
#include "library/Library.h"
#include "ui/Controls.h"
#include "ui/Window.h"

namespace {

// The panel toggle: the window's width is its only state.
void TogglePanel() { SetWindowWidth(WindowWidth() == kDesignWidth ? kNarrowWidth : kDesignWidth); }

void ShowVersionNotice() { ShowMessageBox("目前已整理的资源仅支持1.7.10版本", kBoxOk, "警示"); }

struct Binding {
    ControlId control;
    Event event;
    Handler handler;
};

// Every event the program handles. The folder links 超级链接框1..3 have no
// handler: the link itself opens its target.
constexpr Binding kBindings[] = {
    {kNoControl, Event::Created, InitialiseFromSettings},
    {按钮1, Event::Clicked, ChooseGameRoot},
    {按钮2, Event::Clicked, DeleteSelectedGameMod},
    {按钮3, Event::Clicked, InstallSelectedMod},
    {按钮4, Event::Clicked, ClearGameMods},
    {按钮5, Event::Clicked, ClearGameConfig},
    {按钮7, Event::Clicked, ChooseLaunchProgram},
    {按钮8, Event::Clicked, StartLaunchProgram},
    {按钮6, Event::Clicked, ShowSelectedNote},
    {按钮9, Event::Clicked, TogglePanel},
    {按钮10, Event::Clicked, CheckLibrary},
    {按钮11, Event::Clicked, RenameSelectedMod},
    {按钮12, Event::Clicked, PickModFile},
    {按钮13, Event::Clicked, PickConfigFolder},
    {按钮14, Event::Clicked, AddPendingMod},
    {按钮15, Event::Clicked, ResetPendingAddition},
    {按钮16, Event::Clicked, SaveSelectedNote},
    {按钮17, Event::Clicked, ResetNoteEditor},
    {按钮18, Event::Clicked, DeleteSelectedMod},
    {资源库列表框, Event::ItemSelected, LoadSelectedMod},
    {超级链接框4, Event::LinkPressed, ShowVersionNotice},
};

}  // namespace

Handler HandlerFor(ControlId control, Event event)
{
    for (const Binding& b : kBindings)
        if (b.control == control && b.event == event)
            return b.handler;
    return nullptr;
}

bool DispatchEvent(ControlId control, Event event)
{
    const Handler h = HandlerFor(control, event);
    if (h)
        h();
    return h != nullptr;
}
