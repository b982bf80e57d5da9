// The commands that need frames are switched on and off as one set.
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "ui/window/main_window.h"

void MainWindow::SwitchFrameTools(bool on)
{
    for (int id : {ID_SAVE_GIF, ID_SAVE_GIF_AS, ID_DELETE_FRAMES, ID_CLEAR_ALL, ID_RUN_ANIMATION,
                   ID_LOOP_COUNT, ID_SAVE_PROJECT, ID_SAVE_PROJECT_AS})
        m_menubar->Enable(id, on);
    m_toolBar_button->EnableTool(XRCID("m_tool_delete"), on);
    m_toolBar_button->EnableTool(XRCID("m_tool_crop"), on);
    m_toolBar_button->EnableTool(XRCID("m_tool_play"), on);
    m_spinctrl_delay->Enable(on);
    m_spinctrl_width->Enable(on);
    m_spinctrl_height->Enable(on);
}

void MainWindow::EnableFrameTools()
{
    SwitchFrameTools(true);
}

void MainWindow::DisableFrameTools()
{
    SwitchFrameTools(false);
}
