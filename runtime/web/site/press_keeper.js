// The first script of the page, run before its body is parsed, so that it is
// there from the first frame on: a click, tap or key press on a button of a
// served window is kept, by the scene and item it was on, until the program
// has taken the page's elements over and asks for it (`varnTakePress`). The
// visitor who pressed "Enter" early then goes in as soon as the program can
// take them. Small, and fetched beside the stylesheet, so that the frame
// waits on nothing more; it also lets a browser that lays out the page as
// soon as it has parsed it find the page's fonts already loaded.
(function () {
  var pressed = null;
  function keep(event) {
    var button = event.target.closest && event.target.closest("section.window button.item");
    if (button) pressed = [button.closest("section.window").dataset.scene, button.dataset.name];
  }
  document.addEventListener("click", keep, true);
  window.varnTakePress = function () {
    document.removeEventListener("click", keep, true);
    var press = pressed;
    pressed = null;
    return press;
  };
})();
