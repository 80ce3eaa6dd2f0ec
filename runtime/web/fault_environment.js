// Test build only: the window operation named by the page address's "fail"
// parameter ("?fail=Show%20Form2") fails, as VARN_FAIL_ON does on the desktop.
Module.preRun = [function () {
  var fail = new URLSearchParams(location.search).get("fail");
  if (fail) ENV.VARN_FAIL_ON = fail;
}];
