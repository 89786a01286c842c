# Turns a registry file written by the server's own registration (vrkcfg register, Linux build) into the WiX
# rows of the installer, so that the installer writes what regsvr32 writes and nothing is kept twice by hand.
# Variables: module (the library path the registration wrote), folder (its folder), file_id (the WiX id of the
# installed DLL). Keys that the system owns (AppID, CLSID, Interface, TypeLib) get no row; a key without values
# is created and removed with the product (the row named "*" without a value); every value is a string row, the library's path and folder becoming
# the installed DLL's.
function fail(why) { print "msi_registry.awk: line " NR ": " why > "/dev/stderr"; failed = 1; exit 1 }

# Reads the quoted text at line[pos]; leaves pos after its closing quote.
function quoted(line,    out, c) {
  if (substr(line, pos, 1) != "\"") fail("a quoted text expected")
  out = ""
  for (pos++; pos <= length(line); pos++) {
    c = substr(line, pos, 1)
    if (c == "\"") { pos++; return out }
    if (c == "\\") {
      c = substr(line, ++pos, 1)
      if (c != "\\" && c != "\"") fail("an escape the installer rows do not carry: \\" c)
    }
    out = out c
  }
  fail("an unterminated quoted text")
}

# Text for an XML attribute of a formatted installer column, with markup characters escaped. Brackets would be
# read as references to properties; no registration text holds one.
function attr(text) {
  if (text ~ /[][]/) fail("a bracket in a registry text: " text)
  gsub(/&/, "\\&amp;", text); gsub(/</, "\\&lt;", text); gsub(/>/, "\\&gt;", text); gsub(/"/, "\\&quot;", text)
  return text
}

function installed(value) {
  if (value == module) return "[#" file_id "]"
  if (value == folder) return "[INSTALLDIR]"
  if (index(value, module) || index(value, folder "/")) fail("the library's path inside a value: " value)
  return attr(value)
}

function flush() {
  if (key == "" || key ~ /^(AppID|CLSID|Interface|TypeLib)$/) return
  if (count == 0)
    printf "<RegistryValue Root=\"HKCR\" Key=\"%s\" Name=\"*\" Type=\"string\" Value=\"\"/>\n", attr(key)
  for (i = 1; i <= count; i++)
    printf "<RegistryValue Root=\"HKCR\" Key=\"%s\"%s Type=\"string\" Value=\"%s\"/>\n", attr(key),
           names[i] == "" ? "" : " Name=\"" attr(names[i]) "\"", installed(values[i])
}

NR == 1 { if ($0 !~ /^VRK5420 registry 1$/) fail("not a registry file"); next }
/^\[HKEY_CLASSES_ROOT\]$/ { next }
/^\[HKEY_CLASSES_ROOT\\.*\]$/ { flush(); key = substr($0, 20, length($0) - 20); count = 0; next }
/^@=/ { pos = 3; names[++count] = ""; values[count] = quoted($0); next }
/^"/ {
  pos = 1; name = quoted($0)
  if (substr($0, pos, 1) != "=") fail("'=' expected after a value name")
  pos++; names[++count] = name; values[count] = quoted($0); next
}
{ fail("unexpected line: " $0) }
END { if (!failed) flush() }
