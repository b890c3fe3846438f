// A JScript client of the control: the same members as the VBScript client, through
// JScript's own ways of passing values. JScript strings are Unicode, so the codes of
// a result are read with the control's StrToAscStr (checked against Asc in
// client.vbs and all_codes.vbs).
//   pkscript client.js SCRATCH_DIRECTORY

function check(label, actual, expected) {
  if (actual !== expected) {
    Host.Fail(label + ": got [" + actual + "], expected [" + expected + "]");
  }
}

// The HRESULT an exception carries, unsigned.
function errorNumber(e) {
  return e.number >>> 0;
}

// call must throw the error with the given HRESULT; the control keeps working.
function checkThrows(label, call, expected) {
  var caught = null;
  try {
    call();
  } catch (e) {
    caught = errorNumber(e);
  }
  check(label, caught, expected);
  check(label + " then Reverse", pelikar.Reverse("ab"), "ba");
}

var pelikar = new ActiveXObject("PelikarLib.Pelikar");

// JScript strings are Unicode: the codes above 127 must come back through CP_ACP as
// they went in.
check("En_Ir_To_nivo ~fff~", pelikar.StrToAscStr(pelikar.En_Ir_To_nivo("~fff~")), "143142141");
check("En_To_Ir ~fff~", pelikar.StrToAscStr(pelikar.En_To_Ir("~fff~")), "146147147");
check("AscStrToStr and back", pelikar.StrToAscStr(pelikar.AscStrToStr("128200255")), "128200255");
check("Reserved(255)", pelikar.Reserved(255), "many powerful capability in this method in future");

checkThrows("AscStrToStr('abc')", function () { pelikar.AscStrToStr("abc"); }, 0x800A000D);
checkThrows("AscStrToStr('300')", function () { pelikar.AscStrToStr("300"); }, 0x800A0005);
checkThrows("En_Ir_FileToNivo of a missing file",
            function () { pelikar.En_Ir_FileToNivo("Z:\\no\\such\\file.txt", "Z:\\no\\out.txt"); },
            0x800A0035);
checkThrows("CodePage put with a word", function () { pelikar.CodePage = "Nivo"; }, 0x800A000D);
pelikar.CodePage = 2;
check("CodePage 2 is stored as 0", pelikar.CodePage, 0);
pelikar.Environment = "Delphi";
check("Environment keeps a text", pelikar.Environment, "Delphi");
// JScript passes numbers by value, also to by-reference parameters. An object
// literal is a field reached by name; the control itself has no Tag: a failure
// FarsiPress traps.
check("FarsiPress in an integer field", pelikar.FarsiPress({Tag: "integer", Name: "n"}, 65),
      false);
check("FarsiPress with a field without Tag", pelikar.FarsiPress(pelikar, 65), false);
check("ToolTip with Button omitted", pelikar.ToolTip("x"), true);
check("ToolTip removed", pelikar.ToolTip(""), true);

// File conversion of a file written here.
var fileSystem = new ActiveXObject("Scripting.FileSystemObject");
var folder = Host.Argument(0);
var inputPath = fileSystem.BuildPath(folder, "client_js_input.txt");
var outputPath = fileSystem.BuildPath(folder, "client_js_output.txt");
var stream = fileSystem.CreateTextFile(inputPath, true, false);
stream.Write("~fff~\r\n~f~\r\n");
stream.Close();
check("En_Ir_FileToNivo", pelikar.En_Ir_FileToNivo(inputPath, outputPath), true);
stream = fileSystem.OpenTextFile(outputPath, 1, false, 0);
var converted = stream.ReadAll();
stream.Close();
check("En_Ir_FileToNivo output", pelikar.StrToAscStr(converted), "143142141013010144013010");
fileSystem.DeleteFile(inputPath);
fileSystem.DeleteFile(outputPath);

Host.Echo("client.js: done");
