// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/bit_btn.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/directory_list_box.h"
#include "toolkit/drive_combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/file_list_box.h"
#include "toolkit/form.h"
#include "toolkit/gauge.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/list_box.h"
#include "toolkit/memo.h"
#include "toolkit/panel.h"
#include "toolkit/popup_menu.h"
#include "toolkit/rich_edit.h"
#include "toolkit/speed_button.h"
#include "toolkit/string_grid.h"
#include "toolkit/timer.h"
#include "widgets/LblEffct.h"
#include "widgets/corvaneURLLabel.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TForm2;

using tk::TMouseButton;
using tk::TObject;
using tk::TShiftState;

// The main window: its components, the paths and settings of the run, and every handler.
class TForm1 : public tk::TForm {
public:
    TForm1();
    ~TForm1() override;

    // ---- Components (built in app/layout.cpp) ----
    // Top bar.
    tk::TLabel* hcap {};
    tk::TLabel* hcap2 {};
    tk::TLabel* Label8 {};
    tk::TLabel* ddmode {};
    tk::TImage* Image4 {};
    tk::TBitBtn* cls {};
    // Left column.
    tk::TLabel* button2 {};
    tk::TSpeedButton* SpeedButton1 {};
    tk::TSpeedButton* SpeedButton2 {};
    tk::TSpeedButton* SpeedButton3 {};
    tk::TSpeedButton* SpeedButton4 {};
    tk::TImage* Image1 {};
    tk::TLabel* l1 {};
    tk::TLabel* l2 {};
    tk::TLabel* l3 {};
    tk::TLabel* l4 {};
    tk::TLabel* l5 {};
    tk::TLabel* l6 {};
    tk::TLabel* l7 {};
    tk::TLabel* l8 {};
    tk::TLabel* l9 {};
    tk::TImage* pic {};
    tk::TImage* box {};
    tk::TImage* testpic {};
    tk::TSpeedButton* SpeedButton5 {};
    tk::TImage* Image5 {};
    tk::TImage* Image6 {};
    // Archive table.
    tk::TLabel* c1 {};
    tk::TLabel* c2 {};
    tk::TLabel* c3 {};
    tk::TLabel* c4 {};
    tk::TLabel* c5 {};
    tk::TLabel* c6 {};
    tk::TLabel* c7 {};
    tk::TPanel* disks {};
    tk::TStringGrid* disk {};
    tk::TPanel* Panel1 {};
    tk::TImage* nlogo {};
    tk::TPanel* getrominf {};
    // Button row.
    tk::TBitBtn* b1 {};
    tk::TBitBtn* b2 {};
    tk::TBitBtn* b3 {};
    tk::TBitBtn* b4 {};
    tk::TBitBtn* b5 {};
    tk::TBitBtn* b6 {};
    // Zip table.
    tk::TPanel* zips {};
    tk::TStringGrid* zip {};
    TLabelEffect* fully {};
    tk::TGauge* full {};
    tk::TPanel* getrominf2 {};
    tk::TPanel* nozip {};
    // Hidden and parked components.
    tk::TImage* pic_nopic {};
    tk::TImage* pic_noart {};
    tk::TImage* rausch {};
    tk::TImage* rausch2 {};
    tk::TLabel* romdirlabel {};
    tk::TSpeedButton* diskrefresh {};
    tk::TBitBtn* ziprefresh {};
    tk::TCheckBox* arefresh {};
    tk::TMemo* fileinfo {};
    tk::TMemo* list {};
    tk::TMemo* sysmem {};
    tk::TMemo* ini {};
    tk::TFileListBox* filelist {};
    // Drive and directory panel.
    tk::TPanel* zipram {};
    tk::TLabel* Label4 {};
    tk::TDriveComboBox* romdrive {};
    tk::TDirectoryListBox* romdir {};
    tk::TLabel* Label2 {};
    tk::TDriveComboBox* ramdrive {};
    tk::TDirectoryListBox* ramdir {};
    tk::TLabel* Label1 {};
    tk::TDriveComboBox* zipdrive {};
    tk::TButton* Button1 {};
    // Category panel.
    tk::TPanel* Panel2 {};
    tk::TLabel* Label5 {};
    tk::TLabel* Label6 {};
    tk::TListBox* catlist {};
    tk::TEdit* Edit1 {};
    tk::TBitBtn* BitBtn1 {};
    tk::TBitBtn* BitBtn2 {};
    // Game info editor.
    tk::TPanel* infop {};
    tk::TLabel* Label3 {};
    tk::TRichEdit* info {};
    tk::TButton* Button3 {};
    tk::TButton* Button4 {};
    tk::TButton* Button5 {};
    // Cheat text editor.
    tk::TPanel* Panel3 {};
    tk::TLabel* Label9 {};
    tk::TMemo* zcc {};
    tk::TButton* Button6 {};
    // About panel.
    tk::TPanel* Panel4 {};
    tk::TLabel* Label7 {};
    tk::TLabel* Label10 {};
    tk::TLabel* Label11 {};
    TCorvaneURLLabel* CorvaneURLLabel1 {};
    tk::TLabel* Label12 {};
    tk::TImage* Image9 {};
    TCorvaneURLLabel* CorvaneURLLabel3 {};
    tk::TImage* Image7 {};
    TCorvaneURLLabel* CorvaneURLLabel2 {};
    tk::TLabel* Label13 {};
    tk::TImage* Image8 {};
    TCorvaneURLLabel* CorvaneURLLabel4 {};
    tk::TLabel* Label14 {};
    // Pop-up menus.
    tk::TPopupMenu* PopupMenu1 {};
    tk::TMenuItem* ClearZipDisk1 {};
    tk::TPopupMenu* PopupMenu2 {};
    tk::TMenuItem* Updateall1 {};
    tk::TPopupMenu* PopupMenu3 {};
    tk::TMenuItem* m3 {};
    tk::TMenuItem* Updateall2 {};
    tk::TMenuItem* m2 {};
    tk::TMenuItem* m6 {};
    tk::TMenuItem* DeleteAll1 {};
    tk::TMenuItem* GenerateRomlist2 {};
    tk::TPopupMenu* PopupMenu4 {};
    tk::TMenuItem* m1 {};
    tk::TMenuItem* m5 {};
    tk::TMenuItem* m4 {};
    tk::TMenuItem* ViewEditZCC1 {};
    tk::TMenuItem* Setcategory1 {};
    tk::TMenuItem* GenerateRomlist1 {};
    tk::TMenuItem* MovetoUSA1 {};
    tk::TMenuItem* movetoEUR1 {};
    tk::TMenuItem* movetoJAP1 {};
    tk::TMenuItem* movetoINT1 {};
    // Timers.
    tk::TTimer* Timer1 {};
    tk::TTimer* Timer2 {};
    tk::TTimer* Timer3 {};
    tk::TTimer* Timer4 {};

    // The Zip disk's capacity in Mbit, and how far the scroll logo travels in its strip.
    static constexpr int ZipDiskCapacity = 736;
    // The image names, in the order a game's image is tried under each; the header, not the
    // name, tells the byte order.
    static constexpr const char* ImageExtensions[] = { ".v64", ".rom", ".z64", ".n64" };
    static constexpr const char* ImageMask = "*.v64;*.rom;*.z64;*.n64";
    static constexpr int LogoTrack = 237;

    // ---- Paths and settings of the run ----
    std::string StartDir;
    std::string ZipRoot;
    std::string RomDir;
    std::string RamDir;
    std::string RegionFolder;
    std::string RomPath;
    std::string RamPath;
    int DoubleClickMode { 0 };
    bool ZipPresent { false };
    // The Zip disk as the last Zip scan found it: a folder standing in for a disk holds the
    // described 736 Mbit; the root of a mounted volume (a card, a stick) holds what the volume
    // has, and then the gauge shows the Mbit in use there, other programs' files included.
    int ZipCapacity { ZipDiskCapacity };
    std::optional<int> ZipVolumeUsed;
    std::string SelectedGame;
    std::string SelectedTitle;
    // The RomFilename of the selected row, recorded with SelectedGame: delete and rename use it,
    // never a row read at click time (sorting or a rescan may have put another game there).
    std::string SelectedRomFile;
    // The table whose selection handler ran last.
    const tk::TStringGrid* ActiveTable {};
    int NoiseStep { 10 };
    int SortColumn { 0 };
    char LastJumpKey { '/' };
    int StartupTicks { 0 };
    // What failed while the window was made and in the first scans, each once: told in one box
    // when the splash is up, and the start-up goes on all the same.
    std::vector<std::string> StartupFailures;
    // The archive's folders as the last full listing found them, and when they last changed.
    struct ArchiveStamp {
        std::string romPath, ramPath;
        std::optional<std::int64_t> romChanged, ramChanged;
        bool operator==(const ArchiveStamp&) const = default;
    };
    std::optional<ArchiveStamp> ArchiveListed;
    bool SettingsEndWithBreak { true };
    bool HelpMode { false };
    bool LogoDrag { false };
    int LogoGrabY { 0 };
    bool WindowDrag { false };
    int GrabX { 0 };
    int GrabY { 0 };
    int CurrentHelpTopic { 0 };
    // The files the open editors were opened for; their Close writes there.
    std::string InfoFile;
    std::string ZccFile;
    // The splash window, while start-up runs (none in tests that don't need it).
    TForm2* Splash {};

    // ---- Catalogue: header reader, console, tables, selection ----
    static std::string getfield(const std::string& text, char separator, int n);
    void getfileinfo(const std::string& fileName);
    void addcat(const std::string& category);
    // Companion files are named base name + extension, found as Windows finds names. One reached
    // only by ignoring letter case is another game's when an image of imageDir has exactly its
    // base name (a.v64 and A.v64 in a folder that keeps case each own their own files).
    bool othersfile(const std::string& path, const std::string& imageDir) const;
    bool ownsfile(const std::string& path, const std::string& imageDir) const; // there, and not another's
    // The folder of the images of the active table, which tells whose a file of RamPath is.
    const std::string& shownimages() const { return ActiveTable == zip ? ZipRoot : RomPath; }
    // A game's file is never written over another game's found by ignoring letter case: throws as
    // a write that cannot be made.
    void writablefor(const std::string& path) const;
    void sys(const std::string& text);
    void sysdis(const std::string& text);
    void sysmemChange(TObject* sender);
    void Timer3Timer(TObject* sender);
    void diskrefreshClick(TObject* sender);
    void ziprefreshClick(TObject* sender);
    void diskClick(TObject* sender);
    void zipClick(TObject* sender);
    void diskMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void zipMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void diskDblClick(TObject* sender);
    void ddmodeClick(TObject* sender);
    void picClick(TObject* sender);
    void Image5Click(TObject* sender);
    void Image6Click(TObject* sender);

    // ---- Settings and paths ----
    void zipdriveChange(TObject* sender);
    void ramdirChange(TObject* sender);
    void romdirChange(TObject* sender);
    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    void FormClose(TObject* sender, tk::TCloseAction& action);
    void clsClick(TObject* sender);

    // ---- Start-up ----
    void FormCreate(TObject* sender);
    void Timer1Timer(TObject* sender);
    void Timer2Timer(TObject* sender);

    // ---- Help mode and window chrome ----
    void hcapClick(TObject* sender);
    void Timer4Timer(TObject* sender);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void diskMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void zipMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void romdirMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void picMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void b1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void b2MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void b3MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void b4MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void b5MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void b6MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void c1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void clsMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void button2MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Panel1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ddmodeMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image5MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void arefreshMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void nlogoMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void nlogoMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void nlogoMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image4MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image4MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image4MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Label8Click(TObject* sender);
    void Button7Click(TObject* sender);
    void CorvaneURLLabel1Click(TObject* sender);
    void CorvaneURLLabel2Click(TObject* sender);
    void CorvaneURLLabel3Click(TObject* sender);
    void CorvaneURLLabel4Click(TObject* sender);

    // ---- Sorting ----
    void c1Click(TObject* sender);
    void c2Click(TObject* sender);
    void c3Click(TObject* sender);
    void c4Click(TObject* sender);
    void c5Click(TObject* sender);
    void c6Click(TObject* sender);
    void c7Click(TObject* sender);
    void disksort();
    void disksort2();
    void diskKeyPress(TObject* sender, char& key);

    // ---- Categories ----
    void catlistClick(TObject* sender);
    void catlistDblClick(TObject* sender);
    void BitBtn1Click(TObject* sender);
    void BitBtn2Click(TObject* sender);

    // ---- Transfers, delete, clear, rename ----
    // A file worth keeping that a copy replaces with other bytes goes to `backups` first; with no
    // folder given (an image) it is replaced as it is.
    bool copyexisting(const std::string& source, const std::string& destination, const std::string& backups = {});
    bool copycompanion(const std::string& source, const std::string& sourceImages, const std::string& destination,
        const std::string& destinationImages, const std::string& backups);
    void b1Click(TObject* sender);
    void b2Click(TObject* sender);
    void b3Click(TObject* sender);
    void Updateall1Click(TObject* sender);
    void b6Click(TObject* sender);
    void ClearZipDisk1Click(TObject* sender);
    void b4Click(TObject* sender);

    // ---- Region folders ----
    bool ensuredir(const std::string& dir);
    void SpeedButton1Click(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void SpeedButton3Click(TObject* sender);
    void SpeedButton4Click(TObject* sender);
    void MovetoUSA1Click(TObject* sender);
    void movetoEUR1Click(TObject* sender);
    void movetoJAP1Click(TObject* sender);
    void movetoINT1Click(TObject* sender);

    // ---- Game info, cheat text, category panel, game list ----
    void b5Click(TObject* sender);
    void ViewEditZCC1Click(TObject* sender);
    void Button3Click(TObject* sender);
    void Button4Click(TObject* sender);
    void Button5Click(TObject* sender);
    void Button6Click(TObject* sender);
    void Setcategory1Click(TObject* sender);
    void GenerateRomlist1Click(TObject* sender);
    void GenerateRomlist2Click(TObject* sender);

private:
    void BuildLayout();
    void BuildDrivePanel();
    void BuildCategoryPanel();
    void BuildMenus();
    void BuildInfoPanel();
    void BuildCheatPanel();
    void BuildAboutPanel();
    void WireEvents();
    void loadSettings();
    void saveSettings();
    void readSettings(const std::string& file);
    void selectSavedDrives(std::string& ramTo, std::string& romTo);
    void startupStep(const std::function<void()>& step);
    void noteFailure(const std::string& message);
    void reportFailures();
    void emptyZipTable(bool reportGone);
    std::size_t shownLength(const std::string& text) const;
    void placePanels();
    void showZipTotal(int total);
    void measureZipDisk();
    int zipRoom() const;
    void clearTable(tk::TStringGrid* grid);
    void fillRow(tk::TStringGrid* grid);
    void refreshArchive(bool unlessUnchanged);
    void listArchive();
    ArchiveStamp archiveStamp() const;
    static bool rowIsBlank(const tk::TStringGrid* grid, int row);
    void queueDetails(const tk::TStringGrid* grid, int row, const std::string& location);
    void showBoxArt();
    void showScreenshot();
    void activateTable(tk::TStringGrid* active, tk::TPanel* frame, tk::TStringGrid* other, tk::TPanel* otherFrame);
    void selectRow(tk::TStringGrid* grid, int row, void (TForm1::*handler)(TObject*));
    void recordSelection(const tk::TStringGrid* grid, int row);
    void copyPicturePath(const std::string& path);
    void setModeCaption();
    void showHelp(int topic, const std::vector<std::string>& lines);
    void sortBy(int column, bool numeric);
    bool copyGame(const std::string& romFrom, const std::string& ramFrom, const std::string& romTo,
        const std::string& ramTo, const std::string& romFile);
    bool updateSaves(const std::string& base);
    bool watchingCopies(bool toZip, const std::function<bool()>& copies);
    bool deleteGame(const std::string& base, const std::string& romFile);
    // Saves kept before they go (fileops/saves.cpp).
    struct Replacing {
        enum Step { Copy, Identical, Refused } step;
        bool newer; // the file replaced was written later than the one replacing it
    };
    Replacing keepreplaced(const std::string& source, const std::string& destination, const std::string& backups);
    bool keptbeforeremoval(const std::string& path);
    std::string backupsfor(const std::string& imageDir) const;
    bool oncard() const;
    static constexpr const char* CardSaves = "saves\\";
    std::string cardsave(const std::string& base) const { return ZipRoot + CardSaves + base + ".sav"; }
    std::string cardsavefor(const std::string& base) const;
    std::string updatesource(const std::string& rootFile, const std::string& cardFile) const;
    bool copytocard(const std::string& ramFrom, const std::string& base);
    // File moves as (old path, new path).
    using FileMoves = std::vector<std::pair<std::string, std::string>>;
    FileMoves renamePlan(const std::string& old, const std::string& renamed, const std::string& romFile) const;
    static bool imageBeyondBase(const std::string& base, const std::string& romFile);
    bool moveAll(const FileMoves& plan, const std::string& failure);
    FileMoves regionPlan(const std::string& region) const;
    bool regionMoveBlocked(const FileMoves& plan);
    void switchRegion(const std::string& region, tk::TMenuItem* ownItem);
    void moveToRegion(const std::string& region, const std::string& ending);
    void listTable(const tk::TStringGrid* grid);
    void queueFileLines(const std::string& action, const std::string& fileName);
    void keeporiginal(const std::string& file);
    void closeeditors(const std::string& base);
    void closedroppededitors();
    std::string directoryValue(const tk::TDirectoryListBox* dirList) const;
};
