#pragma once

class QWidget;

namespace kvr::ui {

// What the editor's main window hands on to the program after a command: the help window,
// the browser and the about box belong to the program, not to the window.
class IEditorWindowActions
{
public:
    virtual ~IEditorWindowActions() = default;
    virtual void showHelp(QWidget *parent) = 0; // the help window on editor.html
    virtual void openHomePage() = 0; // the home page + "?t=r:KvrEditor" + version
    virtual void showAbout(QWidget *parent) = 0; // "KvrEditorのﾊﾞｰｼﾞｮﾝ情報"
};

} // namespace kvr::ui
