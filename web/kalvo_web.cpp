// SPDX-License-Identifier: MIT
// The calculator for the web page: the page builds its controls from the
// design, forwards every event here by a control's index in the design, and
// shows the window model that each call leaves, as JSON.
#include "catalogue/catalogue.h"
#include "core/controls.h"
#include "web/json.h"

#include <emscripten/emscripten.h>
#include <span>
#include <string>
#include <string_view>

namespace kalvo::web {
namespace {

Calculator calculator;

std::string_view kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button:
        return "button";
    case ControlKind::LineEdit:
        return "line";
    case ControlKind::MultiLine:
        break;
    }
    return "multi";
}

std::string_view typefaceName(Typeface typeface)
{
    switch (typeface) {
    case Typeface::Sans:
        return "sans";
    case Typeface::Serif:
        return "serif";
    case Typeface::WindowDefault:
        break;
    }
    return "default";
}

void writeControls(Json& json)
{
    json.key("controls").open('[');
    for (const ControlDesign& design : Controls) {
        json.open('{')
            .field("name", design.name)
            .field("kind", kindName(design.kind))
            .field("left", pixels(design.left))
            .field("top", pixels(design.top))
            .field("width", pixels(design.width))
            .field("height", pixels(design.height))
            .field("typeface", typefaceName(design.font.typeface))
            .field("pointSize", design.font.pointSize)
            .field("bold", design.font.bold)
            .field("italic", design.font.italic)
            .field("skippedByTab", design.skippedByTab)
            .field("valueField", isValueField(design))
            .field("showsTextWhole", showsTextWhole(design))
            .close('}');
    }
    json.close(']');
}

// The two menus with their items, each item by its entry's index in the
// catalogue; then the menu bar's own items.
void writeMenus(Json& json)
{
    const auto entries = Catalogue();
    json.key("menus").open('[');
    for (const MenuDesign& menu : Menus) {
        json.open('{').field("name", menu.name).field("caption", menu.caption).key("items").open('[');
        for (std::size_t index = 0; index < entries.size(); ++index) {
            if (entries[index].menu == menu.menu)
                json.open('{')
                    .field("name", entries[index].name)
                    .field("caption", entries[index].caption)
                    .field("entry", static_cast<int>(index))
                    .close('}');
        }
        json.close(']').close('}');
    }
    json.close(']').key("commands").open('[');
    for (const MenuCommand& command : MenuCommands)
        json.value(command.caption);
    json.close(']');
}

std::string designJson()
{
    Json json;
    json.open('{')
        .field("clientHeight", pixels(ClientHeightTwips))
        .field("enterKey", static_cast<int>(EnterKey))
        .key("background")
        .color(colors::DarkGrey);
    writeControls(json);
    writeMenus(json);
    json.close('}');
    return json.text();
}

// What a control shows of the model, button or text box alike.
struct Shown {
    const std::string& text;
    Color backColor;
    bool visible;
};

Shown shownBy(const WindowModel& window, const ControlDesign& design)
{
    if (design.button != nullptr) {
        const CommandButton& button = window.*design.button;
        return {button.caption, button.backColor, button.visible};
    }
    const TextBox& box = window.*design.textBox;
    return {box.text, box.backColor, box.visible};
}

std::string modelJson(const WindowModel& window)
{
    Json json;
    json.open('{').field("width", pixels(window.Kalvo.width - FrameTwips)).key("controls").open('[');
    for (const ControlDesign& design : Controls) {
        const Shown shown = shownBy(window, design);
        const Interaction interaction = InteractionOf(window, design);
        json.open('{')
            .field("text", std::string_view(shown.text))
            .key("back")
            .color(shown.backColor)
            .field("enabled", interaction.enabled)
            .field("readOnly", interaction.readOnly)
            .field("greyed", interaction.greyed)
            .field("visible", shown.visible)
            .field("name", std::string_view(AccessibleName(window, design)))
            .close('}');
    }
    json.close(']').close('}');
    return json.text();
}

// The item of a table that the page names by its index; none for an index
// out of range.
template <typename Item> const Item* at(std::span<const Item> table, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < table.size()
               ? &table[static_cast<std::size_t>(index)]
               : nullptr;
}

const ControlDesign* control(int index)
{
    return at(std::span<const ControlDesign>(Controls), index);
}

} // namespace
} // namespace kalvo::web

using kalvo::web::calculator;
using kalvo::web::control;

extern "C" {

// The design as JSON: the controls in tab order, the menus and their items.
EMSCRIPTEN_KEEPALIVE const char* kalvo_design()
{
    static const std::string design = kalvo::web::designJson();
    return design.c_str();
}

// The window model as JSON, valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* kalvo_model()
{
    static std::string model;
    model = kalvo::web::modelJson(calculator.window);
    return model.c_str();
}

EMSCRIPTEN_KEEPALIVE void kalvo_load()
{
    calculator = {};
    kalvo::form_Load(calculator);
}

EMSCRIPTEN_KEEPALIVE void kalvo_choose(int entry)
{
    if (const auto* chosen = kalvo::web::at(kalvo::Catalogue(), entry))
        kalvo::ChooseFormula(calculator, *chosen);
}

EMSCRIPTEN_KEEPALIVE void kalvo_command(int command)
{
    if (const auto* chosen =
            kalvo::web::at(std::span<const kalvo::MenuCommand>(kalvo::MenuCommands), command))
        chosen->click(calculator);
}

EMSCRIPTEN_KEEPALIVE void kalvo_click(int index)
{
    if (const auto* button = control(index); button != nullptr && button->click != nullptr)
        button->click(calculator);
}

EMSCRIPTEN_KEEPALIVE void kalvo_key(int index, int key)
{
    if (const auto* field = control(index))
        kalvo::PressKey(calculator, *field, static_cast<char16_t>(key));
}

// The text as UTF-8 of the given length, which may hold a NUL.
EMSCRIPTEN_KEEPALIVE void kalvo_edit(int index, const char* text, int length)
{
    if (const auto* field = control(index); field != nullptr && length >= 0)
        kalvo::EditText(calculator, *field, std::string(text, static_cast<std::size_t>(length)));
}

} // extern "C"
