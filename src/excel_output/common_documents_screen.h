#pragma once
// The main menu's "在庫品共通資料": the common-documents workbook is created when missing and
// handed to the user's spreadsheet program; the menu stays.
class QWidget;
class ScreenHost;

// The factory registered under MenuHook::CommonDocumentsOutput. Shows the error message on a
// failure; always returns null, so that the menu stays in place.
QWidget* OpenCommonDocumentsFromMenu(ScreenHost& host);
