// The system utilities from a JScript client: object literals as forms, and the
// errors that come back as exceptions.
//   pkscript utilities.js
function check(label, actual, expected) {
  if (actual !== expected) {
    Host.Fail(label + ": got [" + actual + "], expected [" + expected + "]");
  }
}

function errorOf(call) {
  try {
    call();
  } catch (e) {
    return (e.number >>> 0).toString(16);
  }
  return "none";
}

var pelikar = new ActiveXObject("PelikarLib.Pelikar");

check("DirExist of a file", pelikar.DirExist(pelikar.WinSysPath() + "\\kernel32.dll"), true);
check("ShapeOval of an object literal", pelikar.ShapeOval({ hwnd: 0 }, 0, 0, 10, 10), 0);
check("ShapeOval of an object without hwnd",
      errorOf(function () { pelikar.ShapeOval({ caption: 1 }, 0, 0, 10, 10); }), "800a01b6");
check("BinToDec('99999999')", errorOf(function () { pelikar.BinToDec("99999999"); }), "800a0006");

Host.Echo("utilities.js: done");
