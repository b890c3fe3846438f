// A JScript client of the control, a smoke run of JScript's own ways of passing values
// (Unicode strings, numbers by value, object literals, exceptions); client.vbs checks
// the members.
//   pkscript client.js
var pelikar = new ActiveXObject("PelikarLib.Pelikar");
// The codes above 127 come back through the ANSI code page as they went in.
Host.Check("AscStrToStr", Host.Codes(pelikar.AscStrToStr("128200255")), "128 200 255");
var caught = null;
try { pelikar.AscStrToStr("abc"); } catch (e) { caught = e.number >>> 0; }
Host.Check("an error is thrown with its HRESULT", caught, 0x800A000D);
// An object literal is a field reached by name.
Host.Check("FarsiPress in an integer field", pelikar.FarsiPress({Tag: "integer"}, 65), false);
Host.Check("ToolTip with Button omitted", pelikar.ToolTip("x"), true);
Host.Echo("client.js: done");
