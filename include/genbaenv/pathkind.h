// Path kinds: bits 31-24 base, 23-16 subfolder kind, 15-0 application code.
//
//   GetPath(PATHKIND_PROGRAM_PROG)               => <program home>\PROG
//   GetPath(PATHKIND_PROGRAM_PROG | PATHAPP_VQA) => <program home>\PROG\VQA
//   GetPath(PATHKIND_GENBA_MAIN)                 => <current site>\MAIN
//   GetPath(PATHKIND_QMS_SERVER)                 => \\<server>\QMS_SERVER
//
// Each level (base, base + subfolder, full kind) can be redirected per user by a value
// named "%08lX" of the code under the user's "Environ" entry.
#pragma once

enum : unsigned long {
    // Parts of a kind.
    PATHKIND_BASE_MASK = 0xFF000000UL,
    PATHKIND_FOLDER_MASK = 0x00FF0000UL,
    PATHKIND_APP_MASK = 0x0000FFFFUL,
    PATHKIND_LEVEL2_MASK = 0xFFFF0000UL,   // base and subfolder

    // Bases; GetHomePath takes exactly these.
    PATHBASE_PROGRAM = 0x01000000UL,   // program home
    PATHBASE_SYSTEM = 0x02000000UL,    // system home
    PATHBASE_GENBA = 0x03000000UL,     // GetPath: current site; GetHomePath: data home
    PATHBASE_HELP = 0x04000000UL,      // help home
    PATHBASE_TEMP = 0x05000000UL,      // temporary home
    PATHBASE_SERVER = 0x06000000UL,    // GetHomePath: stored "ServerQMS" ("?" by default)

    // Program home.
    PATHKIND_PROGRAM_PROG = 0x01010000UL,    // PROG
    PATHKIND_PROGRAM_MAIN = 0x01020000UL,    // MAIN
    PATHKIND_PROGRAM_CAD = 0x01030000UL,     // CAD
    PATHKIND_PROGRAM_TOOLS = 0x01040000UL,   // TOOLS
    PATHKIND_PROGRAM_PAL = 0x01050000UL,     // PAL
    PATHKIND_PROGRAM_APLI = 0x01060000UL,    // the running application's program folder

    // System home.
    PATHKIND_SYSTEM_MAIN = 0x02010000UL,       // MAIN
    PATHKIND_SYSTEM_CAD = 0x02020000UL,        // CAD
    PATHKIND_SYSTEM_SYSTEM = 0x02030000UL,     // SYSTEM
    PATHKIND_SYSTEM_FORM = 0x02040000UL,       // FORM
    PATHKIND_SYSTEM_JOKEN = 0x02050000UL,      // JOKEN
    PATHKIND_SYSTEM_TEMP = 0x02070000UL,       // TEMP
    PATHKIND_SYSTEM_PLOTPOOL = 0x02080000UL,   // PLOTPOOL
    PATHKIND_SYSTEM_DCPOOL = 0x02090000UL,     // DCPOOL
    PATHKIND_SYSTEM_USERDATA = 0x020A0000UL,   // USERDATA
    PATHKIND_SYSTEM_DDM = 0x020B0000UL,        // DDM

    // Folder of the current site.
    PATHKIND_GENBA = 0x03010000UL,            // the site folder itself
    PATHKIND_GENBA_MAIN = 0x03020000UL,       // MAIN
    PATHKIND_GENBA_CAD = 0x03030000UL,        // CAD
    PATHKIND_GENBA_JOKEN = 0x03040000UL,      // JOKEN
    PATHKIND_GENBA_TEMP = 0x03050000UL,       // TEMP
    PATHKIND_GENBA_DC = 0x03060000UL,         // DC
    PATHKIND_GENBA_USERDATA = 0x03070000UL,   // USERDATA
    PATHKIND_GENBA_BACKUP = 0x03080000UL,     // BACKUP
    PATHKIND_GENBA_DDM = 0x03090000UL,        // DDM

    // Help, temporary and server.
    PATHKIND_HELP_APLI = 0x04010000UL,    // the running application's help folder
    PATHKIND_TEMP = 0x05010000UL,         // the temporary home itself
    PATHKIND_QMS_SERVER = 0x06010000UL,   // \\<server>\QMS_SERVER

    // Application codes (low word).
    PATHAPP_VQA = 0x0100UL,
    PATHAPP_VQB = 0x0200UL,
    PATHAPP_VQC = 0x0300UL,
    PATHAPP_VQD = 0x0400UL,
    PATHAPP_VQE = 0x0500UL,
    PATHAPP_VQF = 0x0600UL,
    PATHAPP_VQG = 0x0700UL,
    PATHAPP_VQH = 0x0800UL,
    PATHAPP_VQI = 0x0900UL,
    PATHAPP_VQJ = 0x0A00UL,
    PATHAPP_VQK = 0x0B00UL,
};
