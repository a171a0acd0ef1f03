// SPDX-License-Identifier: MIT
#pragma once
// Command identifiers of the main window; each command's texts, place and
// handler are in the row its part adds to the command table
// (command_table.h). The zoom steps come from the core.

#include "graph/zoom_steps.h"

namespace fernplot {

enum CommandId : int {
  kCmdOpenDataFile = 32771,
  kCmdSaveCsv = 32772,
  kCmdSaveReport = 33024,
  kCmdCurrentProperties = 32773,
  kCmdPreviousPage = 32774,
  kCmdNextPage = 32775,
  kCmdZoomBox = 32799,
  kCmdZoom30 = 32801,
  kCmdZoom60 = 32802,
  kCmdZoom75 = 32803,
  kCmdZoom100 = 32804,
  kCmdZoom150 = 32805,
  kCmdZoom200 = 32806,
  kCmdDefaultProperties = 33000,
  kCmdClosePage = 33001,
  kCmdCopyToClipboard = 33003,
  kCmdResetToDefault = 33006,
  kCmdOverwriteDefault = 33007,
  kCmdCrossHair = 33008,
  kCmdCurveReadout = 33009,
  kCmdZoomRangeMode = 33010,
  kCmdRangeBack = 33011,
  kCmdWholeSweep = 33012,
  kCmdZoomIn = 33013,
  kCmdZoomOut = 33014,
  kCmdGoToPage = 33020,
  kCmdFirstPage = 33021,
  kCmdLastPage = 33022,
  kCmdCloseAllPages = 33023,
  kCmdOpenFile = 33030,
  kCmdLanguageAuto = 33040,
  kCmdLanguageJapanese = 33041,
  kCmdLanguageEnglish = 33042,
  kCmdAddOverlays = 33100,
  kCmdEditTraces = 33101,
  kCmdDifference = 33102,
  kCmdOverlayFromFile = 33103,
  kCmdViewBode = 33110,
  kCmdViewNyquist = 33111,
  kCmdViewNichols = 33112,
  kCmdLoopOpen = 33113,
  kCmdLoopClosed = 33114,
  kCmdLoopSensitivity = 33115,
  kCmdNicholsContours = 33116,
  kCmdViewComplex = 33117,
  kCmdViewKk = 33118,
  kCmdFitModel = 33120,
  kCmdModelResidual = 33121,
  kCmdRemoveModel = 33122,
  kCmdCopyModelLaplace = 33123,
  kCmdCopyModelJson = 33124,
  kCmdFitCircuit = 33125,
  kCmdOpenMask = 33130,
  kCmdRemoveMask = 33131,
  kCmdLotStatistics = 33132,
  kCmdFiguresPanel = 33050,
  kCmdMarkerMode = 33051,
  kCmdPageList = 33052,
  kCmdPrintSetup = 57606,
  kCmdPrint = 57607,
  kCmdExit = 57665,
  kCmdAbout = 57664,
  kCmdHelp = 57670,
  kCmdToolBar = 59392,
  kCmdStatusBar = 59393,
};

// Status-bar panes written by the view (pane 0 is the message pane).
enum StatusPane : int {
  kPaneFrequency = 1,  // id 32776
  kPaneGain = 2,       // id 32777
  kPanePhase = 3,      // id 32778
  kPanePage = 4,       // id 32779
};
constexpr int kStatusPaneCount = 4;
constexpr int kStatusPaneInitialWidth = 40;

}  // namespace fernplot
