// The client of the PDM system (KVPDMProxy.dll) as the opener uses it: the work mix, present only
// while the program works inside the PDM system; the items of the files it manages; and what it
// knows about opening them. Every call may throw the PDM system's exception, as the real client's
// calls do.
#pragma once

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/compression.h"
#include "platform/mfc.h"
#include "platform/kernel/services/pdm_windows.h"

// An error of the PDM system, thrown by pointer: whoever catches it shows it (Report) and frees
// it (Delete).
class KVPDMExceptionProxy {
public:
    explicit KVPDMExceptionProxy(CString message) : message_(std::move(message)) {}
    KVPDMExceptionProxy(const KVPDMExceptionProxy&) = delete;
    KVPDMExceptionProxy& operator=(const KVPDMExceptionProxy&) = delete;
    // A message box with the PDM system's text.
    void Report();
    void Delete() { delete this; }
    const CString& GetMessage() const { return message_; }

private:
    ~KVPDMExceptionProxy() = default;
    CString message_;
};

class KVPDMNomenclatureRecord;

// What the PDM system knows of a file opened from it; empty when it does not manage the file and
// no nomenclature object is attached.
class KVPDMOpenningContext {
public:
    KVPDMOpenningContext() = default;
    KVPDMOpenningContext(CString itemPath, bool readOnly, bool nomenclature)
        : itemPath_(std::move(itemPath)), readOnly_(readOnly), nomenclature_(nomenclature) {}
    bool IsEmpty() const { return itemPath_.IsEmpty() && !nomenclatureObject_; }
    bool IsReadOnly() const { return readOnly_; }
    // Whether the item can carry nomenclature data (documents it names besides itself); a context
    // with a nomenclature object attached always can.
    bool CanHaveNomenclature() const { return nomenclature_ || nomenclatureObject_; }
    const CString& GetItemPath() const { return itemPath_; }
    // The nomenclature object of a file the context knows nothing else of (null: none); the PDM
    // system keeps it.
    void AttachNomenclature(KVPDMNomenclatureRecord* record) { nomenclatureObject_ = record; }
    KVPDMNomenclatureRecord* GetNomenclatureObject() const { return nomenclatureObject_; }
    // Reads what the context left to read when it was made ("LoadRemainingData" may fail).
    void LoadRemainingData() const;

private:
    CString itemPath_;
    bool readOnly_ = false;
    bool nomenclature_ = false;
    KVPDMNomenclatureRecord* nomenclatureObject_ = nullptr;
};

// The work mix's source of nomenclature objects: the object of a file by its path.
class KVPDMNomenclatureSource {
public:
    // The file's nomenclature object, or null when the PDM system has none ("GetNomenclatureObject"
    // may fail). The PDM system keeps it.
    KVPDMNomenclatureRecord* GetNomenclatureObject(const CString& path);
};

// A file the work mix manages; FindFile hands the caller a reference, which it releases.
class KVPDMItem {
public:
    explicit KVPDMItem(KVPDMOpenningContext context) : path_(context.GetItemPath()), context_(std::move(context)) {}
    // An item whose opening context is `context` (it may be empty).
    KVPDMItem(CString path, KVPDMOpenningContext context) : path_(std::move(path)), context_(std::move(context)) {}
    KVPDMItem(const KVPDMItem&) = delete;
    KVPDMItem& operator=(const KVPDMItem&) = delete;
    // Brings the local copy up to date (the kernel's setting for local copies, twice).
    void Update(bool localCopies, bool keepLocalCopies);
    KVPDMOpenningContext GetOpeningContext() const;
    // The item's state in the PDM system (2: taken for editing by this user, 3: checked in).
    int GetState() const;
    // Takes the item for editing (state 2); true when done.
    bool Edit(int mode, int keepLocal, int lock, int notify);
    // Puts the file at `path` back into the system as the item's new version (state 3).
    bool Submit(const CString& path, int mode, int keepLocal, int notify);
    // Replaces the file at `path` by the item's version in the system and ends the editing.
    bool Revert(const CString& path, int mode);
    void AddRef() { ++references_; }
    void Release();

private:
    ~KVPDMItem() = default;
    CString path_;
    KVPDMOpenningContext context_;
    int references_ = 1;
};

// The connection of the work mix to the PDM system: counted references (made with one).
class KVPDMConnection {
public:
    KVPDMConnection() = default;
    KVPDMConnection(const KVPDMConnection&) = delete;
    KVPDMConnection& operator=(const KVPDMConnection&) = delete;
    void AddRef() { ++references_; }
    void Release();
    // Starts the PDM system's own client program; throws the PDM system's exception.
    void StartClient();
    // The holder's idle time.
    void OnIdle();

private:
    ~KVPDMConnection() = default;
    int references_ = 1;
};

// A PDM program installed on the machine.
struct KVPdmProgram {
    CString name;
    CString keyPath;  // its key in the machine registry ("SOFTWARE\...")
    CString version;
    CString folder;
};

// The PDM system's installation API.
class KVPdmApiProxy {
public:
    // The installed PDM programs the product (named by its ini file) can work with.
    static std::vector<KVPdmProgram> FindInstalledPrograms(LPCWSTR productIniFile);
    // The folder of the program installed under machine key `keyPath`; empty when there is none.
    static CString GetProgramFolder(LPCWSTR keyPath);
    // The folder of an installed program of `version`; empty when there is none.
    static CString GetProgramFolder(LPCWSTR version, LPCWSTR productIniFile);
};

class KVPDMPageFactory;
class KVPDMPaneObject;

// A standard technical requirement the PDM system offers.
class KVPDMTechReqObjectProxy : public KVPDMHandle {
public:
    explicit KVPDMTechReqObjectProxy(CString text) : text_(std::move(text)) {}
    CString GetDisplayText() const { return text_; }

protected:
    ~KVPDMTechReqObjectProxy() override = default;

private:
    CString text_;
};

// A holder of one reference of a counted PDM object.
template <class T>
class KVPDMRef {
public:
    KVPDMRef() = default;
    // Takes over the reference the object was made with.
    static KVPDMRef Adopt(T* object) {
        KVPDMRef handle;
        handle.object_ = object;
        return handle;
    }
    KVPDMRef(const KVPDMRef& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    KVPDMRef& operator=(KVPDMRef other) {
        std::swap(object_, other.object_);
        return *this;
    }
    ~KVPDMRef() {
        if (object_) object_->Release();
    }
    T* operator->() const { return object_; }
    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};
using KVPDMTechReqHandle = KVPDMRef<KVPDMTechReqObjectProxy>;

// What the PDM system's add dialog is told of a file it is to store: the document's name and the
// extension of its kind.
struct KVPDMAddDialogParameters {
    CString name;
    CString extension;
};

// The PDM work mix.
class KVPDMWorkMix {
public:
    // Results of Connect.
    static constexpr int kConnected = 0;
    static constexpr int kRefused = 1;
    static constexpr int kNotConnected = 2;
    static constexpr int kAbortStartup = 3;
    // The connection while connected (a new reference), or null.
    static KVPDMConnection* GetConnection();
    // The PDM settings' instance key path (empty: no PDM system is configured).
    static CString GetInstanceKeyPath();

    // Whether the program works inside the PDM system now.
    static bool IsActive();
    // Marks the work mix connected or not without telling anyone (a test's starting state).
    static void SetActive(bool active);
    // Connects to the PDM system (asking the user when interactive); on success the kernel tells
    // its callback object that the connection changed. Already connected: kConnected, nothing told.
    static int Connect(bool interactive, LPCWSTR connection);
    // Ends the connection and tells the callback object; nothing while not connected.
    static void Disconnect();
    // The settings profile the PDM system's integration parameters name; empty for none.
    CString GetIntegrationProfileName() const;
    // The work mix, or null while the program does not work inside the PDM system.
    static KVPDMWorkMix* Instance();

    // Forgets what the work mix cached about the file.
    void ResetCacheFor(const SharedPathName& path);
    // Shows the PDM system's add dialog for `file`, which the user confirms: the file's content
    // becomes a new document of the PDM system. False when the file cannot be read or the PDM
    // system refuses it (its failing call "AddDialog").
    static bool AddFileWithDialog(LPCWSTR file, const KVPDMAddDialogParameters& parameters);
    // What the About box tells of the PDM system: its program and instance, a line each.
    CString VarnelInfo() const;
    // The item of a managed file (a new reference), or null.
    KVPDMItem* FindFile(const SharedPathName& path);
    // The item of a managed folder (a new reference), or null; its Update brings the folder's
    // local copies up to date.
    KVPDMItem* FindFolder(const SharedPathName& path);
    // The items of managed files among `paths`, in one call (new references; files it does not
    // manage are left out).
    std::map<CString, KVPDMItem*> FindFiles(const std::set<CString>& paths);
    // The work mix's nomenclature source, or null when it offers none.
    KVPDMNomenclatureSource* GetNomenclatureSource();
    // Whether the document may be opened with that context (the PDM system may hold it back).
    bool CanOpenFileFromWorkmix(const SharedPathName& path, const KVPDMOpenningContext& context);
    // The factory of work-mix pages, or null when the work mix offers none.
    KVPDMPageFactory* GetPageFactory();
    // The PDM object of explorer pane kind 0 to 6, or null when the work mix has none.
    KVPDMPaneObject* GetPaneObject(int kind);
    // The standard technical requirements the PDM system offers, each a handle of its own (the
    // stand-in system offers the texts set by SetStandardTechRequirements).
    void GetStandardTechRequirements(std::vector<KVPDMTechReqHandle>& requirements);
    static void SetStandardTechRequirements(std::vector<CString> texts);
};

// The PDM system's client of this program: it keeps its own windows by the main window.
class KVPDMClient {
public:
    // The client, or null while the program does not work inside the PDM system.
    static KVPDMClient* Instance();
    // A main window moved or changed its size.
    void OnMainWindowMoved(HWND frame);
    // The PDM client's product name (may be empty); throws a KVPDMExceptionProxy when the
    // client does not answer.
    CString GetProductName() const;
};
