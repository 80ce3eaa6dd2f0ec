// Test build only: the window operation named by the page address's "fail"
// parameter ("?fail=Show%20Form2") fails, as VARN_FAIL_ON does on the desktop;
// with "?fresh" the program builds its title anew rather than taking over the
// one the page was served with.
Module.preRun = [function () {
  var query = new URLSearchParams(location.search);
  var fail = query.get("fail");
  if (fail) ENV.VARN_FAIL_ON = fail;
  var served = document.querySelector("body > .desktop");
  if (query.has("fresh") && served) served.remove();
}];
