// Path kinds by readable name: BASE[.SUBFOLDER][+APP], for example site.main,
// system.form, program.prog+VQA; or by code, 0x03020000 or 03020000.
//
//   site.main         => 0x03020000
//   program.prog+vqa  => 0x01010100
//   site              => 0x03010000   (the site folder itself)
//   temp              => 0x05010000   (the temporary home itself)
//   help, server      => 0x04010000, 0x06010000 (their bases have one kind each)
#pragma once

#include <genbaenv/diagnostics.h>
#include <genbafw/cstring.h>

#include <string>
#include <vector>

namespace genbatool {

// The library's own tables: every base-and-subfolder kind it resolves (application code
// 0, readable name in lower case) and the application codes (VQA to VQK).
using KindEntry = GenbaNamedCode;
using AppEntry = GenbaNamedCode;
const std::vector<KindEntry>& AcceptedKinds();
const std::vector<AppEntry>& ApplicationCodes();

// Parses a kind given by name or code. Refuses, with a message naming what was wrong,
// empty text, unknown names, codes above 32 bits and codes the library does not resolve.
bool ParseKind(const CString& text, unsigned long& kind, std::string& error);

// The readable name of a kind the library resolves ("site.main+VQA"), else empty.
CString KindName(unsigned long kind);

// "0x03020000".
CString KindHex(unsigned long kind);

// The name of a value under "Environ" for a code: "03020000".
CString EnvironValueName(unsigned long code);

} // namespace genbatool
