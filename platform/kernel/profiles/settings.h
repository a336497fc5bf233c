// The kernel's settings the application reads. Plain values; tests set them.
#pragma once

#include "platform/mfc.h"

struct NativeSettings {
    struct StartPage {
        bool show = false;  // show the start page at start-up (the sample's user switched it off)
        int mode = 0;      // 0 start page, 1 PDM work-mix page when available, other: both
        CString workmixUrl;           // the PDM work-mix page's address (empty: no such page)
        bool closeAfterOpen = false;  // the start page closes once it opened a document
        bool displayOption = true;    // the start page's own "show at start-up" box
    } startPage;
    struct Files {
        int recentFileCount = 4;       // entries of the recent-file list (0: no list)
        bool reopenDocuments = false;  // reopen the documents of the last run
        bool autoSave = false;         // save modified documents periodically
        int autoSaveMinutes = 10;      // the period of auto-save
        int pdmLocalFiles = 0;         // how the PDM system keeps local copies (1: always)
        bool nomenclature = false;     // open PDM nomenclature data with the documents

        // The prototype file of a document kind (1: drawing), in the program folder's
        // "Prototypes" folder.
        static CString GetPrototypeName(int kind);
    } files;
    // Automatic update of linked documents: either value at 1 suppresses it.
    struct Links {
        int suppressUpdate = 0;
        int suppressUpdateOnOpen = 0;
    } links;
    bool runAsServer = false;       // run the add-on applications' server step at start-up
    bool lockPanes = false;         // docking panes cannot be moved or resized
    int lastToolBarTab = 0;
    CString colorBookFolder;  // the colour books' folder, relative to the template folder when not absolute
    CString fontFolder;       // the folder the font lists were made for (the vector fonts' folder)
    CString templateFolder;   // the user's template folder         // which of the two drawing tabs of the tabbed tool bar was chosen last
    // How new documents use the template folder: whether they start from it, and which kinds of
    // document take their prototypes there (bits, 1: drawings).
    int templateFolderUse = 0;
    int templateFolderKinds = 0;
    // The link to the PDM system.
    struct Varnel {
        bool working = false;     // the link is set up and may connect
        CString version;          // the PDM system's version the link was set up for
        CString instanceKeyPath;  // the machine registry key of the PDM program instance
        CString programName;
    } varnel;
    bool showCommandNames = false;  // tooltips name the command
    bool diagnosticsWarnings = true;  // the diagnostics pane lists warnings besides errors
    bool smoothRasterImages = false;  // raster pictures are scaled with halftoning
    // Where the frameless tool bars sit over a view: -1 hidden (the view bar also -2); 2 at the
    // right edge, where their popups open to the left; other values are the bar's own places.
    // The defaults keep the docked auto-menu and view bars of ribbon mode.
    struct FramelessBars {
        int selectionFilter = 0;
        int autoMenu = -1;
        bool hideExpandButtons = false;
        int view = -1;
        int editInPlace = -1;
        int feaTaskModel = -1;
        int drawingView = -1;
        int split = -1;
    } framelessBars;
    double thinLineWidth = 0.5;  // the line width of thin lines (small views draw with half of it)
    bool directPrint = false;  // the kernel prints to the default printer without asking
    // PDM: saving a document brings the product structures it takes part in up to date.
    bool updateProductStructuresOnSave = true;
    // Sketching: automatic parameterisation and automatic dimensions, each for ordinary pages
    // (0) and pages of kind 1 (1).
    BYTE autoParameterization[2] = {0, 0};
    BYTE autoDimensions[2] = {0, 0};
    // The technical-support request: its form file (empty: the program folder's), and who asks.
    CString supportFormPath;
    CString userName = L"user";
    CString organization = L"Velmora test bench";
};

// The user's options of the kernel that the command bars read.
struct KVOptions {
    bool extendedTooltips = true;  // rich tooltips with texts from the command descriptions
    bool screenTipsSet = false;    // whether the user set the screen-tips option at all
    bool screenTips = true;        // tooltips shown at all (when set)
    bool findBySynonyms = true;    // command search also matches the commands' synonyms
};
KVOptions& GetKVOptions();

NativeSettings& GetSettings();

// The kernel's global options object.
struct NativeOptions {
    int fixedWidthTabs = 0;  // 1: every document tab has the same width
    // The folder of the user's option files (state files of the UI library's controls), made
    // when first asked for.
    CString GetFolder() const;
};

NativeOptions& GetOptions();
// The country the installation was made for (3 and 5 select partner editions).
extern int COUNTRY;
