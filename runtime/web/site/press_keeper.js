// Keeps a press on the served title until the program can carry it out: a
// click, tap or key press on a button of a served window is kept, by the
// scene and item it was on, until the program has taken the page's elements
// over and asks for it (`varnTakePress`). The visitor who pressed "Enter"
// early then goes in as soon as the program can take them. A few lines,
// fetched beside the stylesheet and run as soon as they come (async): in
// practice before the first frame, which waits for the stylesheet, and
// never holding that frame back, whenever the program's own script comes.
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
