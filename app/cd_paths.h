// cd_paths.h: the files on the CD that the menu opens, runs or copies.
// All relative to the current directory, which is the CD root when
// Windows starts the menu from the disc. Code page 936 bytes.
#pragma once

constexpr char g_szTestProgram[]     = "Test\\news.exe";
constexpr char g_szDocOwnCmds[]      = "Command\\VTtm.doc";
constexpr char g_szDocEpsonCmds[]    = "Command\\EPSON.doc";
constexpr char g_szDocStarCmds[]     = "Command\\STAR.doc";
constexpr char g_szReadme[]          = "Driver\\Readme.txt";
constexpr char g_szInstEpson9x[]     = "Driver\\Adt210e.exe";
constexpr char g_szInstEpsonNt[]     = "Driver\\ATM_301bE.exe";
constexpr char g_szInstStarNt[]      = "Driver\\linemode_2k-xp.exe";
constexpr char g_szInfEscNt[]        = "Driver\\WIN2000\\ESC模式\\OEMSETUP.INF";
constexpr char g_szDriverEsc9x[]     = "Driver\\WIN98\\ESC模式\\Tm300s.drv";
constexpr char g_szDriverStar9x[]    = "Driver\\WIN98\\STAR模式\\Sp500.drv";

// Every file above, for checking a CD tree.
constexpr const char* g_cdFiles[] = {
    g_szTestProgram, g_szDocOwnCmds, g_szDocEpsonCmds, g_szDocStarCmds,
    g_szReadme, g_szInstEpson9x, g_szInstEpsonNt, g_szInstStarNt,
    g_szInfEscNt, g_szDriverEsc9x, g_szDriverStar9x,
};
