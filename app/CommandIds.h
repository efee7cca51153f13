#pragma once
// Every command id and control id of the editor, in one place. The resource
// script includes this header too, so the menus, the accelerators and the
// window procedure cannot drift apart.
//
// A menu item and the button that does the same thing share one id (and so
// one handler): NewBtn1 sends New1, PreViewBtn sends PreView1, and so on.

// Main menu: File.
#define IDM_NEW1 1001
#define IDM_READ1 1002
#define IDM_SAVE1 1003
#define IDM_SAVEAS1 1004
#define IDM_DESKTOP1 1005
#define IDM_STARTUP1 1006
#define IDM_STARTMENU1 1007
// History1 .. History9 take the nine ids from IDM_HISTORY1 on.
#define IDM_HISTORY1 1011
#define IDM_HISTORY9 1019
#define IDM_EXIT1 1020
// The separators around the recent files: N10 is taken out of the menu while
// no recent file is shown, so that only one line separates C1 from Exit1.
#define IDM_N9 1021
#define IDM_N10 1022

// Main menu: distribution.
#define IDM_PREVIEW1 1101
#define IDM_GENERATE1 1102
// The check and the exports before release, after Generate (1601-1609).
#define IDM_CHECK 1601
#define IDM_EXPORTPATHS 1602
#define IDM_EXPORTSVG 1603
#define IDM_EXPORTHTML 1604
#define IDM_EXPORTBOOK 1605
#define IDM_COMPARE 1606
#define IDM_RUNSTATS 1607

// Main menu: options.
#define IDM_NEWLINE1 1201
#define IDM_SHOWBUTTONS1 1202
#define IDM_CLOSEQUERY1 1203
#define IDM_SAVESTATUS1 1204
#define IDM_RECORDFOLDER1 1205

// Main menu: help.
#define IDM_H1 1301
#define IDM_ABOUT1 1302
#define IDM_SITE1 1303

// Pop-up menu of the tree view.
#define IDM_EDIT1 1401
#define IDM_ADDYES1 1402
#define IDM_ADDNO1 1403
#define IDM_EXCHANGE1 1404
#define IDM_QUESTION1 1405
#define IDM_INFORMATION1 1406
#define IDM_EXCLAIMATION1 1407
#define IDM_INHIBIT1 1408
#define IDM_YESDEFAULT1 1409
#define IDM_NODEFAULT1 1410
#define IDM_DELETE1 1411

// Main menu: edit (undo and redo, branches through the clipboard, find).
#define IDM_UNDO 1501
#define IDM_REDO 1502
#define IDM_CUT 1503
#define IDM_COPY 1504
#define IDM_PASTE 1505
#define IDM_FIND 1506
#define IDM_FINDNEXT 1507
#define IDM_FINDPREVIOUS 1508
// The find box's check box: find searches the authors' notes as well.
#define IDM_FINDINNOTES 1509
// Links: mark an end as the source, set the selected node as its target,
// take a link away, go to a link's target and back (Alt+Left).
#define IDM_LINKSOURCE 1510
#define IDM_LINKTARGET 1511
#define IDM_UNLINK 1512
#define IDM_GOTOLINK 1513
#define IDM_LINKBACK 1514

// Other controls of the main window.
#define IDC_TOOLBAR1 2001
#define IDC_GROUPBOX1 2002
#define IDC_LABELEDEDIT1_LABEL 2003
#define IDC_LABELEDEDIT1 2004
#define IDC_LABEL1 2005
#define IDC_TREEVIEW1 2006
#define IDC_PROGRESSBYGREEN1 2007
#define IDC_PROGRESSBYYELLOW1 2008
#define IDC_PROGRESSBYRED1 2009
#define IDC_GROUPBOX2 2010
// The label before the colour buttons, which says what the colour is for.
#define IDC_COLOURLABEL 2011
// PreViewBtn, GenerateBtn and ExitBtn carry the ids of their menu items
// (IDM_PREVIEW1, IDM_GENERATE1, IDM_EXIT1).

// Resources.
#define IDR_MAINMENU1 100
#define IDR_POPUPMENU1 101
#define IDR_ACCELERATORS 102
#define IDI_VELMORA 1
