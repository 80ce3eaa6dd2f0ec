// Logs where kwin puts each window it activates: the native Wayland route's
// placement is the compositor's, and the test reports it.
workspace.clientActivated.connect(function (window) {
    if (window) {
        var frame = window.frameGeometry;
        print("placed '" + window.caption + "' at " + frame.x + "," + frame.y + " " + frame.width +
              "x" + frame.height);
    }
});
