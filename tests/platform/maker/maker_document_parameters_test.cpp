// A document's 2D part as the panels use it: variables made from what a user types, undo blocks,
// objects by index, the parameter values and their equality, the defaults for new elements, and
// the property editor whose write every window of the document hears of.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel.h"

namespace {

using kveval::ColorParameter;
using kveval::NumberListItem;
using kveval::NumberParameter;
using kveval::VariantParameter;

TEST(MakerDocument2D, TypedTextBecomesAVariableOnlyWhenItIsAName) {
    KVDocument document;
    int index = -7;
    double value = -7.0;
    // Not names: nothing is made and the outputs are left alone.
    for (const wchar_t* text : {L"", L"   ", L"1abc", L"a b", L"a-b", L"3.5", L"x+1"}) {
        EXPECT_EQ(document.create_real_var(text, index, value, 1.0, 0), 0) << platform::core::toUtf8(text);
    }
    EXPECT_EQ(document.create_real_var(nullptr, index, value, 1.0, 0), 0);
    EXPECT_EQ(index, -7);
    EXPECT_EQ(document.GetVariableCount(), 0);

    // A new name is made with the current value; blanks around it do not count.
    ASSERT_EQ(document.create_real_var(L"  width ", index, value, 12.5, 0), 1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(value, 12.5);
    ASSERT_NE(document.GetVariable(0), nullptr);
    EXPECT_EQ(document.GetVariable(0)->name, L"width");
    // The same name again finds it, whatever the current value now is; names are case-sensitive.
    ASSERT_EQ(document.create_real_var(L"width", index, value, 99.0, 0), 1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(value, 12.5);
    ASSERT_EQ(document.create_real_var(L"Width", index, value, 3.0, 0), 1);
    EXPECT_EQ(index, 1);
    // Flag 3 only reads: an unknown name makes nothing.
    EXPECT_EQ(document.create_real_var(L"_height2", index, value, 4.0, 3), 0);
    EXPECT_EQ(document.GetVariableCount(), 2);
    ASSERT_EQ(document.create_real_var(L"_height2", index, value, 4.0, 0), 1);
    EXPECT_EQ(document.GetVariableCount(), 3);

    // What the kernel's control forces wins over the kernel's own answer, and makes nothing.
    document.SetForcedVariableResult(-1);
    EXPECT_EQ(document.create_real_var(L"depth", index, value, 1.0, 0), -1);
    EXPECT_EQ(document.GetVariableCount(), 3);
    document.SetForcedVariableResult(std::nullopt);
    EXPECT_EQ(document.create_real_var(L"depth", index, value, 1.0, 0), 1);
}

TEST(MakerDocument2D, LookupsOutsideTheContainerAnswerNull) {
    KVDocument document;
    EXPECT_EQ(document.GetVariable(0), nullptr);
    EXPECT_EQ(document.GetVariable(-1), nullptr);
    EXPECT_EQ(document.GetSafeObject(0), nullptr);
    EXPECT_EQ(document.GetSafeObject(-1), nullptr);
    const int first = document.AddObject();
    const int second = document.AddObject();
    EXPECT_EQ(second, first + 1);
    CKVObject* object = document.GetSafeObject(first);
    ASSERT_NE(object, nullptr);
    // Objects keep their address while others are added (the property editor holds them).
    for (int i = 0; i < 1000; ++i) document.AddObject();
    EXPECT_EQ(document.GetSafeObject(first), object);
    EXPECT_EQ(document.GetSafeObject(document.GetObjectCount()), nullptr);
    EXPECT_EQ(document.GetVariable(document.AddVariable(L"", 1.0) + 1), nullptr);

    EXPECT_FALSE(object->GetParameterValue(1).has_value());
    object->SetParameterValue(1, VariantParameter(std::int32_t{4}));
    ASSERT_TRUE(object->GetParameterValue(1).has_value());
    EXPECT_EQ(*object->GetParameterValue(1)->Get<std::int32_t>(), 4);

    // A variable without a name shows its expression.
    KVVariable expression{CString(), CString(L"a*2"), 4.0};
    EXPECT_EQ(FORMULA::GetNameOrExpression(expression), L"a*2");
    EXPECT_EQ(FORMULA::GetNameOrExpression({CString(L"a"), CString(L"b"), 0.0}), L"a");
    EXPECT_EQ(FONT_STYLE::GetSizeFromPage(nullptr, 0), 0.0);
    EXPECT_EQ(FONT_STYLE::GetSizeFromPage(document.GetPageStatus(7), 0), 3.5);
}

TEST(MakerDocument2D, UndoBlocksOpenAndCloseWithoutNesting) {
    KVDocument document;
    EXPECT_EQ(document.GetUndoMode(), 0);
    document.start_undo_block(0, 11);
    EXPECT_EQ(document.GetUndoMode(), 1);
    document.start_undo_block(0, 12);
    document.end_undo_block();
    EXPECT_EQ(document.GetUndoMode(), 0);
    document.end_undo_block();  // unbalanced: stays closed
    EXPECT_EQ(document.GetUndoMode(), 0);
    const auto calls = platform::core::journal().texts("call");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"KVDocument::end_undo_block()"), 2);
}

TEST(MakerVariantParameter, EqualityFollowsTheAlternativeAndTheFlags) {
    const VariantParameter none;
    EXPECT_EQ(none.Index(), -1);
    EXPECT_EQ(none.Get<std::int32_t>(), nullptr);
    EXPECT_TRUE(none == VariantParameter());
    EXPECT_FALSE(none == VariantParameter(std::int32_t{0}));

    // Numbers within 1e-8 are the same; the variable and unit must match exactly.
    EXPECT_TRUE(VariantParameter(NumberParameter{1.0, -1, 0}) == VariantParameter(NumberParameter{1.0 + 1e-10, -1, 0}));
    EXPECT_FALSE(VariantParameter(NumberParameter{1.0, -1, 0}) == VariantParameter(NumberParameter{1.0 + 1e-6, -1, 0}));
    EXPECT_FALSE(VariantParameter(NumberParameter{1.0, 2, 0}) == VariantParameter(NumberParameter{1.0, -1, 0}));
    EXPECT_FALSE(VariantParameter(NumberParameter{1.0, -1, 1}) == VariantParameter(NumberParameter{1.0, -1, 0}));
    // The same number in two alternatives is two values.
    EXPECT_FALSE(VariantParameter(std::int32_t{1}) == VariantParameter(true));
    // Number lists compare exactly, element by element.
    const std::vector<NumberListItem> list{{1.0, 0, 0}, {2.0, 1, 1}};
    std::vector<NumberListItem> near = list;
    near[1].value += 1e-12;
    EXPECT_TRUE(VariantParameter(list) == VariantParameter(list));
    EXPECT_FALSE(VariantParameter(list) == VariantParameter(near));
    EXPECT_FALSE(VariantParameter(list) == VariantParameter(std::vector<NumberListItem>{}));
    // The flag bytes count.
    VariantParameter flagged(CString(L"Arial"));
    flagged.flags[1] = 1;
    EXPECT_FALSE(flagged == VariantParameter(CString(L"Arial")));
    VariantParameter emptyFlagged;
    emptyFlagged.flags[0] = 2;
    EXPECT_FALSE(emptyFlagged == none);
}

TEST(MakerDefaultParameters, TheThreeDFlagPicksTheContainerAndUnknownNamesAreNotFound) {
    kveval::ModelDefaultParameterProvider defaults;
    defaults.SetDefaultColor(ColorParameter{5, -1}, false);
    defaults.SetDefaultColor(ColorParameter{9, -1}, true);
    defaults.SetDefaultLayer(3, true);
    EXPECT_EQ(defaults.GetDefaultColor(false), 5);
    EXPECT_EQ(defaults.GetDefaultColor(true), 9);
    EXPECT_EQ(defaults.GetDefaultLayer(false), 0);
    EXPECT_EQ(defaults.GetDefaultLayer(true), 3);

    // Level and priority exist for 2D elements only: setting them for 3D changes nothing.
    defaults.SetDefaultLevel({7, 2}, true);
    defaults.SetDefaultPriority({8, -1}, false);
    auto& containers = defaults.GetData();
    ASSERT_EQ(containers.size(), 2u);
    EXPECT_EQ(containers[1].GetParameterByName("Level"), nullptr);
    const auto* priority = containers[0].GetParameterByName("Priority");
    ASSERT_NE(priority, nullptr);
    ASSERT_NE(priority->GetVariantParameter().Get<NumberParameter>(), nullptr);
    EXPECT_EQ(priority->GetVariantParameter().Get<NumberParameter>()->value, 8.0);
    EXPECT_EQ(containers[0].GetParameterByName("priority"), nullptr);  // names are exact
    EXPECT_EQ(containers[0].GetParameterByName(""), nullptr);

    // What a caller writes through the handed-out containers is the document's default.
    containers[0].GetParameterByName("Color")->SetVariantParameter(ColorParameter{12, -1});
    EXPECT_EQ(defaults.GetDefaultColor(false), 12);
    // A default of the wrong alternative reads as the neutral value rather than garbage.
    containers[1].GetParameterByName("Layer")->SetVariantParameter(CString(L"five"));
    EXPECT_EQ(defaults.GetDefaultLayer(true), 0);

    const auto& provider = kveval::ObjectParametersProvider::Instance();
    ASSERT_NE(provider.GetDescriptorByName("FontSize"), nullptr);
    EXPECT_EQ(provider.GetDescriptorByName("FontSize")->id, 5);
    EXPECT_EQ(provider.GetDescriptorByName("fontsize"), nullptr);
    EXPECT_EQ(provider.GetDescriptorByName("Material")->id, 7);  // a body's material
    EXPECT_EQ(provider.GetDescriptorByName("Texture"), nullptr);
}

// Hears the parameter events and notes which view each delivery named.
class ParameterListener : public TypedApplicationEventListener<515, 531, 778, 783, 791, 1037> {
public:
    struct Heard {
        UINT id;
        CKvw32Doc* document;
        CKVBaseView* view;
        int kind;
    };
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override {
        const auto* changed = dynamic_cast<const ObjectsPropertiesChangedArgs*>(&args);
        heard.push_back({eventId, args.GetEventDocument(), args.GetView(), changed ? changed->GetKind() : -1});
    }
    std::vector<Heard> heard;
};

TEST(MakerParameterEvents, EveryKernelViewOfTheDocumentHearsOnce) {
    auto* document = new CKvw32Doc;  // closes itself when its last view goes
    auto first = std::make_unique<CKVView>();
    auto second = std::make_unique<CKVTabView>();
    struct PlainView : CView {
        void OnDraw(CDC*) override {}
    } plain;  // not a kernel view: not told
    document->AddView(first.get());
    document->AddView(&plain);
    document->AddView(second.get());

    ParameterListener listener;
    RaiseParameterEventInEveryView(*document, 778, 4);
    ASSERT_EQ(listener.heard.size(), 2u);
    EXPECT_EQ(listener.heard[0].view, first.get());
    EXPECT_EQ(listener.heard[1].view, second.get());
    for (const auto& heard : listener.heard) {
        EXPECT_EQ(heard.id, 778u);
        EXPECT_EQ(heard.document, document);
        EXPECT_EQ(heard.kind, -1);
    }

    // The properties event carries its payload to every view.
    listener.heard.clear();
    RaiseParameterEventInEveryView(*document, kEventObjectsPropertiesChanged, 0);
    ASSERT_EQ(listener.heard.size(), 2u);
    EXPECT_EQ(listener.heard[1].kind, 1);

    // A listener that closes a view while the event goes round is not handed the dead view.
    listener.heard.clear();
    struct Closer : TypedApplicationEventListener<515> {
        std::unique_ptr<CKVTabView>* victim = nullptr;
        void OnApplicationEvent(UINT, const ApplicationEventArgs&) override {
            if (victim) victim->reset();
        }
    } closer;
    closer.victim = &second;
    RaiseParameterEventInEveryView(*document, 515, 0);
    EXPECT_EQ(second, nullptr);
    ASSERT_EQ(listener.heard.size(), 1u) << "the closed view was still told";
    EXPECT_EQ(listener.heard[0].view, first.get());

    document->RemoveView(&plain);
    first.reset();  // the last view: the document closes and leaves the kernel's list
    EXPECT_TRUE(Korvo::DocumentManager::Instance().GetDocuments().empty());
}

TEST(MakerParameterEvents, ClosingTheLastViewMidwayEndsTheRound) {
    auto* document = new CKvw32Doc;  // closes itself when its last view goes
    auto first = std::make_unique<CKVView>();
    auto second = std::make_unique<CKVView>();
    document->AddView(first.get());
    document->AddView(second.get());
    // The first listener closes both windows: the document goes with the second.
    struct Closer : TypedApplicationEventListener<515> {
        std::unique_ptr<CKVView>* views[2] = {};
        void OnApplicationEvent(UINT, const ApplicationEventArgs&) override {
            for (auto* view : views) view->reset();
        }
    } closer;
    closer.views[0] = &first;
    closer.views[1] = &second;
    ParameterListener listener;
    RaiseParameterEventInEveryView(*document, 515, 0);
    EXPECT_TRUE(Korvo::DocumentManager::Instance().GetDocuments().empty());
    EXPECT_EQ(listener.heard.size(), 1u) << "only the round's first view was told";
}

TEST(MakerParameterEvents, ADocumentWithoutViewsIsStillHeardOf) {
    CKvw32Doc document;
    ParameterListener listener;
    RaiseParameterEventInEveryView(document, 531, 0);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0].document, &document);
    EXPECT_EQ(listener.heard[0].view, nullptr);
}

TEST(MakerEditPropManager, WritesReachTheSelectedObjectsAndOnlyARealChangeIsAnnounced) {
    auto* document = new CKvw32Doc;
    CKVView view;
    document->AddView(&view);
    KVDocument& part = *document->Cont2D();
    const int a = part.AddObject();
    const int b = part.AddObject();
    const int untouched = part.AddObject();
    // The selection may hold empty entries and indexes of objects that are gone.
    document->GetStoreSelection()->Set({a, -1, b, 500});

    ParameterListener listener;
    EditPropManager nothingSelected(document);
    document->GetStoreSelection()->Set({});
    nothingSelected.InitFromSelectedObjects();
    nothingSelected.StoreParameterValueForAll(1, VariantParameter(ColorParameter{3, -1}));
    EXPECT_TRUE(nothingSelected.ApplyAllChanges(false));
    EXPECT_TRUE(listener.heard.empty());

    document->GetStoreSelection()->Set({a, -1, b, 500});
    EditPropManager editor(document);
    editor.InitFromSelectedObjects();
    editor.StoreParameterValueForAll(2, std::nullopt);  // left as it is
    EXPECT_TRUE(editor.ApplyAllChanges(false));
    EXPECT_TRUE(listener.heard.empty()) << "no value stored: nothing changed";

    editor.StoreParameterValueForAll(1, VariantParameter(ColorParameter{3, -1}));
    editor.StoreParameterValueForAll(1, VariantParameter(ColorParameter{4, -1}));  // the last value counts
    EXPECT_TRUE(editor.ApplyAllChanges(false));
    for (int index : {a, b}) {
        const auto colour = part.GetSafeObject(index)->GetParameterValue(1);
        ASSERT_TRUE(colour.has_value());
        EXPECT_EQ(colour->Get<ColorParameter>()->color, 4);
        EXPECT_FALSE(part.GetSafeObject(index)->GetParameterValue(2).has_value());
    }
    EXPECT_FALSE(part.GetSafeObject(untouched)->GetParameterValue(1).has_value());
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0].id, kEventObjectsPropertiesChanged);
    EXPECT_EQ(listener.heard[0].view, &view);

    // Without a document the editor does nothing at all.
    EditPropManager orphan(nullptr);
    orphan.InitFromSelectedObjects();
    orphan.StoreParameterValueForAll(1, VariantParameter(ColorParameter{1, -1}));
    EXPECT_TRUE(orphan.ApplyAllChanges(true));
    EXPECT_EQ(listener.heard.size(), 1u);
    document->RemoveView(&view);
}

}  // namespace
