// SPDX-License-Identifier: MIT
// The calculator for the web page: the page builds its controls from the
// design, forwards every event here by a control's index in the design, and
// shows the window model that each call leaves, as JSON.
#include "catalogue/catalogue.h"
#include "core/controls.h"

#include <cmath>
#include <emscripten/emscripten.h>
#include <string>
#include <string_view>

namespace kalvo::web {
namespace {

Calculator calculator;

void appendHex(std::string& text, unsigned byte)
{
    constexpr std::string_view digits = "0123456789abcdef";
    text += digits[(byte >> 4U) & 0xFU];
    text += digits[byte & 0xFU];
}

// JSON text of the core's strings, which are UTF-8.
void appendString(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            appendHex(json, byte);
        } else {
            json += c;
        }
    }
    json += '"';
}

void appendMember(std::string& json, std::string_view name)
{
    if (json.back() != '{')
        json += ',';
    appendString(json, name);
    json += ':';
}

void append(std::string& json, std::string_view name, std::string_view text)
{
    appendMember(json, name);
    appendString(json, text);
}

void append(std::string& json, std::string_view name, double number)
{
    appendMember(json, name);
    // Two decimals are enough for a point size; to_chars' shortest form
    // would bring tables of its own into the WebAssembly.
    const long hundredths = std::lround(number * 100);
    json += std::to_string(hundredths / 100);
    json += '.';
    json += static_cast<char>('0' + hundredths % 100 / 10);
    json += static_cast<char>('0' + hundredths % 10);
}

void append(std::string& json, std::string_view name, int number)
{
    appendMember(json, name);
    json += std::to_string(number);
}

void append(std::string& json, std::string_view name, bool flag)
{
    appendMember(json, name);
    json += flag ? "true" : "false";
}

// 0x00BBGGRR as CSS writes it.
std::string cssColor(Color color)
{
    std::string css = "#";
    for (const unsigned shift : {0U, 8U, 16U})
        appendHex(css, (color >> shift) & 0xFFU);
    return css;
}

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

std::string designJson()
{
    std::string json = "{";
    append(json, "clientHeight", pixels(ClientHeightTwips));
    append(json, "background", cssColor(colors::DarkGrey));
    appendMember(json, "controls");
    json += '[';
    for (const ControlDesign& design : Controls) {
        json += json.back() == '[' ? "{" : ",{";
        append(json, "name", design.name);
        append(json, "kind", kindName(design.kind));
        append(json, "left", pixels(design.left));
        append(json, "top", pixels(design.top));
        append(json, "width", pixels(design.width));
        append(json, "height", pixels(design.height));
        append(json, "typeface", typefaceName(design.font.typeface));
        append(json, "pointSize", design.font.pointSize);
        append(json, "bold", design.font.bold);
        append(json, "italic", design.font.italic);
        append(json, "skippedByTab", design.skippedByTab);
        append(json, "valueField", isValueField(design));
        json += '}';
    }
    json += "]";
    appendMember(json, "menus");
    json += '[';
    for (const MenuDesign& menu : Menus) {
        json += json.back() == '[' ? "{" : ",{";
        append(json, "name", menu.name);
        append(json, "caption", menu.caption);
        appendMember(json, "items");
        json += '[';
        const auto entries = Catalogue();
        for (std::size_t index = 0; index < entries.size(); ++index) {
            if (entries[index].menu != menu.menu)
                continue;
            json += json.back() == '[' ? "{" : ",{";
            append(json, "name", entries[index].name);
            append(json, "caption", entries[index].caption);
            append(json, "entry", static_cast<int>(index));
            json += '}';
        }
        json += "]}";
    }
    json += "]";
    appendMember(json, "commands");
    json += '[';
    for (const MenuCommand& command : MenuCommands) {
        if (json.back() != '[')
            json += ',';
        appendString(json, command.caption);
    }
    json += "]}";
    return json;
}

std::string modelJson(const WindowModel& window)
{
    std::string json = "{";
    append(json, "width", pixels(window.Kalvo.width - FrameTwips));
    appendMember(json, "controls");
    json += '[';
    for (const ControlDesign& design : Controls) {
        json += json.back() == '[' ? "{" : ",{";
        const bool button = design.button != nullptr;
        append(json, "text", button ? (window.*design.button).caption : (window.*design.textBox).text);
        append(json, "back",
               cssColor(button ? (window.*design.button).backColor : (window.*design.textBox).backColor));
        append(json, "enabled", button ? (window.*design.button).enabled : (window.*design.textBox).enabled);
        append(json, "visible", button ? (window.*design.button).visible : (window.*design.textBox).visible);
        append(json, "name", AccessibleName(window, design));
        json += '}';
    }
    json += "]}";
    return json;
}

// The index of a control in the design, from the page.
bool isControl(int control)
{
    return control >= 0 && static_cast<std::size_t>(control) < Controls.size();
}

} // namespace
} // namespace kalvo::web

using kalvo::web::calculator;

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
    const auto entries = kalvo::Catalogue();
    if (entry >= 0 && static_cast<std::size_t>(entry) < entries.size())
        kalvo::ChooseFormula(calculator, entries[static_cast<std::size_t>(entry)]);
}

EMSCRIPTEN_KEEPALIVE void kalvo_command(int command)
{
    if (command >= 0 && static_cast<std::size_t>(command) < kalvo::MenuCommands.size())
        kalvo::MenuCommands[static_cast<std::size_t>(command)].click(calculator);
}

EMSCRIPTEN_KEEPALIVE void kalvo_click(int control)
{
    if (kalvo::web::isControl(control) && kalvo::Controls[static_cast<std::size_t>(control)].click != nullptr)
        kalvo::Controls[static_cast<std::size_t>(control)].click(calculator);
}

EMSCRIPTEN_KEEPALIVE void kalvo_key(int control, int key)
{
    if (kalvo::web::isControl(control))
        kalvo::PressKey(calculator, kalvo::Controls[static_cast<std::size_t>(control)],
                        static_cast<char16_t>(key));
}

// The model follows every edit, so that it always holds what the field shows.
EMSCRIPTEN_KEEPALIVE void kalvo_edit(int control, const char* text)
{
    if (kalvo::web::isControl(control) &&
        kalvo::Controls[static_cast<std::size_t>(control)].textBox != nullptr)
        (calculator.window.*kalvo::Controls[static_cast<std::size_t>(control)].textBox).text = text;
}

} // extern "C"
