// The commands that need frames are switched on and off as one set.
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "ui/window/main_window.h"

void MainWindow::SwitchFrameTools(bool on)
{
    m_itemSave->Enable(on);
    m_itemSaveAs->Enable(on);
    m_itemDelete->Enable(on);
    m_itemClearAll->Enable(on);
    m_itemRunAnimation->Enable(on);
    m_itemLoopCount->Enable(on);
    m_toolBar_button->EnableTool(XRCID("m_tool_delete"), on);
    m_toolBar_button->EnableTool(XRCID("m_tool_play"), on);
    m_spinctrl_delay->Enable(on);
    m_spinctrl_width->Enable(on);
    m_spinctrl_height->Enable(on);
    m_itemSaveProject->Enable(on);
    m_itemSaveProjectAs->Enable(on);
}

void MainWindow::EnableFrameTools()
{
    SwitchFrameTools(true);
}

void MainWindow::DisableFrameTools()
{
    SwitchFrameTools(false);
}
