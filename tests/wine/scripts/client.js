// A JScript client of the control: JScript's own ways of passing values (Unicode
// strings, numbers by value, object literals, exceptions).
//   pkscript client.js

var pelikar = new ActiveXObject("PelikarLib.Pelikar");

// The codes above 127 come back through the ANSI code page as they went in.
Host.Check("En_Ir_To_nivo", Host.Codes(pelikar.En_Ir_To_nivo("~fff~")), "143 142 141");
Host.Check("AscStrToStr", Host.Codes(pelikar.AscStrToStr("128200255")), "128 200 255");

// An error is thrown with its HRESULT; the control goes on working.
var errors = [
  function () { pelikar.AscStrToStr("abc"); }, 0x800A000D,
  function () { pelikar.En_Ir_FileToNivo("Z:\\no\\file.txt", "Z:\\no\\out.txt"); }, 0x800A0035,
  function () { pelikar.CodePage = "Nivo"; }, 0x800A000D];
for (var i = 0; i < errors.length; i += 2) {
  var caught = null;
  try { errors[i](); } catch (e) { caught = e.number >>> 0; }
  Host.Check("error " + i / 2, caught, errors[i + 1]);
}
pelikar.CodePage = 2;
Host.Check("CodePage 2 is kept as 0", pelikar.CodePage, 0);
pelikar.Environment = "Delphi";
Host.Check("Environment keeps a text", pelikar.Environment, "Delphi");
// An object literal is a field reached by name; the control itself has no Tag: a
// failure FarsiPress traps.
Host.Check("FarsiPress in an integer field", pelikar.FarsiPress({Tag: "integer"}, 65), false);
Host.Check("FarsiPress with a field without Tag", pelikar.FarsiPress(pelikar, 65), false);
Host.Check("ToolTip with Button omitted", pelikar.ToolTip("x"), true);
Host.Echo("client.js: done");
