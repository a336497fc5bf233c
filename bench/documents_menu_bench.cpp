// Expanding a library row of the documents menu's configurations tree, from the user's click on
// its expand button until the rows of its first screen are built (the rest follow while the loop
// is idle), for a folder of n documents. The tree is made and
// the configuration row expanded before the clock runs; each iteration expands a library row
// that was never expanded before.
//
// One session serves every size (a session cannot be made twice in a process); the folders are
// written straight into the host folder, which is what the kernel's enumeration reads.
#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/tree_view.h"
#include "platform/harness.h"
#include "platform/kernel.h"

namespace {

const std::wstring kLibraries = L"C:\\Users\\user\\Libraries\\";

platform::harness::Session& session() {
    static platform::harness::Session instance;
    return instance;
}

// The library of n documents, made once per size.
DocumentsMenu::ILibrary* libraryOf(int documents) {
    static std::map<int, DocumentsMenu::ILibrary*> libraries;
    DocumentsMenu::ILibrary*& library = libraries[documents];
    if (library) return library;
    auto& model = session().kernel().documentsMenu();
    DocumentsMenu::IConfiguration* configuration = model.configuration(L"Bench");
    if (!configuration) configuration = model.addConfiguration(kLibraries + L"Bench.tws", L"Bench");
    const std::wstring folder = L"Folder " + std::to_wstring(documents);
    library = model.addLibrary(configuration, folder, folder);
    const std::string hostFolder = session().files().hostPath(kLibraries + folder);
    for (int i = 0; i < documents; ++i) {
        std::ofstream(hostFolder + "/part " + std::to_string(i) + ".grb") << "document";
    }
    return library;
}

void BM_ExpandLibraryRow(benchmark::State& state) {
    const int documents = static_cast<int>(state.range(0));
    const std::wstring name = L"Folder " + std::to_wstring(documents);
    libraryOf(documents);
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh window remembers no expansion, so the library row is filled only when clicked.
        DocumentsMenu::DocumentsMenuDlg window;
        auto tree = std::make_unique<DocumentsMenu::TreeView>(&window);
        tree->Create(nullptr, 0);
        auto report = session().user().report(tree->GetSafeHwnd());
        report.expand(report.find(L"Bench"));
        const int row = report.find(name);
        state.ResumeTiming();

        report.expand(row);
        rows = static_cast<std::size_t>(report.rowCount());

        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_ExpandLibraryRow)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

}  // namespace
