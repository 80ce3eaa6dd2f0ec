// Closes the active window as its title bar's close button does.
if (workspace.activeClient)
    workspace.activeClient.closeWindow();
