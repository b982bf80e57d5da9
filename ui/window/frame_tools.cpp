// The commands that need frames are switched on and off as one set.
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "ui/window/main_window.h"

namespace {
void SwitchFrameTools(MainWindow& frame, bool on)
{
    frame.m_itemSave->Enable(on);
    frame.m_itemSaveAs->Enable(on);
    frame.m_itemDelete->Enable(on);
    frame.m_itemClearAll->Enable(on);
    frame.m_itemRunAnimation->Enable(on);
    frame.m_itemLoopCount->Enable(on);
    frame.m_toolBar_button->EnableTool(XRCID("m_tool_delete"), on);
    frame.m_toolBar_button->EnableTool(XRCID("m_tool_play"), on);
    frame.m_spinctrl_delay->Enable(on);
    frame.m_spinctrl_width->Enable(on);
    frame.m_spinctrl_height->Enable(on);
    frame.m_itemSaveProject->Enable(on);
    frame.m_itemSaveProjectAs->Enable(on);
}
}

void MainWindow::EnableFrameTools()
{
    SwitchFrameTools(*this, true);
}

void MainWindow::DisableFrameTools()
{
    SwitchFrameTools(*this, false);
}
