// Reads the dialog templates from the module's resource script, the same
// file the DLL's resource compiler builds its dialog resources from.
//
// The reader knows the part of the script language the module's script
// uses: LANGUAGE, DIALOG with STYLE, CAPTION and FONT, and CONTROL
// statements whose class is a string or a predefined class's atom and whose
// styles are window-style names or numbers joined by |. Of the preprocessor
// lines it reads "#define NAME NUMBER" and skips the others. Anything else stops the program with the
// line that was not understood, since no test can run without the dialogs.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "sim/world_internals.h"

extern const char kDialogScript[];

using namespace sim;

namespace {

const std::map<std::string, uint32_t>& StyleNames() {
    static const std::map<std::string, uint32_t> names = {
        {"WS_CHILD", 0x40000000},
        {"WS_VISIBLE", 0x10000000},
        {"WS_DISABLED", 0x08000000},
        {"WS_CAPTION", 0x00C00000},
        {"WS_BORDER", 0x00800000},
        {"WS_VSCROLL", 0x00200000},
        {"WS_HSCROLL", 0x00100000},
        {"WS_SYSMENU", 0x00080000},
        {"WS_THICKFRAME", 0x00040000},
        {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        {"DS_SETFONT", 0x00000040},
        {"DS_MODALFRAME", 0x00000080},
        {"DS_CENTER", 0x00000800},
        {"SS_LEFT", 0x00000000},
        {"SS_CENTER", 0x00000001},
        {"SS_RIGHT", 0x00000002},
        {"SS_SUNKEN", 0x00001000},
        {"BS_PUSHBUTTON", 0x00000000},
        {"BS_DEFPUSHBUTTON", 0x00000001},
        {"BS_CHECKBOX", 0x00000002},
        {"BS_AUTOCHECKBOX", 0x00000003},
        {"BS_RADIOBUTTON", 0x00000004},
        {"BS_GROUPBOX", 0x00000007},
        {"BS_AUTORADIOBUTTON", 0x00000009},
        {"LBS_NOTIFY", 0x00000001},
        {"LBS_SORT", 0x00000002},
        {"LBS_HASSTRINGS", 0x00000040},
        {"CBS_DROPDOWN", 0x00000002},
        {"CBS_DROPDOWNLIST", 0x00000003},
        {"CBS_SORT", 0x00000100},
        {"CBS_HASSTRINGS", 0x00000200},
        {"ES_AUTOHSCROLL", 0x00000080},
        {"ES_NUMBER", 0x00002000},
        {"UDS_WRAP", 0x00000001},
        {"UDS_SETBUDDYINT", 0x00000002},
        {"UDS_ALIGNRIGHT", 0x00000004},
        {"UDS_AUTOBUDDY", 0x00000010},
        {"UDS_ARROWKEYS", 0x00000020},
        {"UDS_NOTHOUSANDS", 0x00000080},
        {"LANG_NEUTRAL", 0},
        {"SUBLANG_NEUTRAL", 0},
    };
    return names;
}

struct Token {
    enum Kind { Name, Number, String, Punct, End } kind = End;
    std::string text;
    int64_t number = 0;
    int line = 0;
};

[[noreturn]] void Fail(int line, const std::string& what) {
    std::fprintf(stderr, "dialog_templates.rc:%d: %s\n", line, what.c_str());
    std::abort();
}

class Reader {
  public:
    explicit Reader(const char* script) : at_(script), names_(StyleNames()) { Advance(); }

    const Token& Peek() const { return token_; }

    Token Take() {
        Token taken = token_;
        Advance();
        return taken;
    }

    void Expect(const std::string& punct) {
        Token t = Take();
        if (t.kind != Token::Punct || t.text != punct) Fail(t.line, "expected '" + punct + "'");
    }

    void ExpectName(const std::string& name) {
        Token t = Take();
        if (t.kind != Token::Name || t.text != name) Fail(t.line, "expected " + name);
    }

    std::string String() {
        Token t = Take();
        if (t.kind != Token::String) Fail(t.line, "expected a string");
        return t.text;
    }

    // A number or a style name, or several joined by |.
    int64_t Value() {
        int64_t value = Term();
        while (token_.kind == Token::Punct && token_.text == "|") {
            Advance();
            value |= Term();
        }
        return value;
    }

    int16_t Short() {
        const int line = token_.line;
        const int64_t value = Value();
        if (value < INT16_MIN || value > INT16_MAX) Fail(line, "value out of the 16-bit range");
        return static_cast<int16_t>(value);
    }

  private:
    int64_t Term() {
        Token t = Take();
        if (t.kind == Token::Number) return t.number;
        if (t.kind == Token::Name) {
            auto found = names_.find(t.text);
            if (found == names_.end()) Fail(t.line, "unknown name " + t.text);
            return found->second;
        }
        Fail(t.line, "expected a number or a style name");
    }

    void SkipSpaceAndComments() {
        for (;;) {
            while (*at_ == ' ' || *at_ == '\t' || *at_ == '\r' || *at_ == '\n') {
                if (*at_ == '\n') {
                    ++line_;
                    lineStart_ = true;
                }
                ++at_;
            }
            if (lineStart_ && *at_ == '#') {  // preprocessor line
                const char* end = at_;
                while (*end != '\0' && *end != '\n') ++end;
                Define(std::string(at_, end));
                at_ = end;
                continue;
            }
            if (at_[0] == '/' && at_[1] == '/') {
                while (*at_ != '\0' && *at_ != '\n') ++at_;
                continue;
            }
            return;
        }
    }

    // "#define NAME NUMBER" adds a name; any other preprocessor line is skipped.
    void Define(const std::string& line) {
        char name[64] = {};
        char value[32] = {};
        if (std::sscanf(line.c_str(), "#define %63s %31s", name, value) != 2) return;
        char* end = nullptr;
        const long long number = std::strtoll(value, &end, 0);
        if (end != value && *end == '\0') names_[name] = static_cast<uint32_t>(number);
    }

    void Advance() {
        SkipSpaceAndComments();
        lineStart_ = false;
        token_ = Token{};
        token_.line = line_;
        if (*at_ == '\0') return;
        if (std::isalpha(static_cast<unsigned char>(*at_)) || *at_ == '_') {
            token_.kind = Token::Name;
            while (std::isalnum(static_cast<unsigned char>(*at_)) || *at_ == '_') token_.text += *at_++;
        } else if (std::isdigit(static_cast<unsigned char>(*at_)) || *at_ == '-') {
            token_.kind = Token::Number;
            char* end = nullptr;
            token_.number = std::strtoll(at_, &end, 0);
            if (end == at_) Fail(line_, "expected a number");
            at_ = end;
        } else if (*at_ == '"') {
            token_.kind = Token::String;
            ++at_;
            for (;;) {
                if (*at_ == '\0' || *at_ == '\n') Fail(line_, "unterminated string");
                if (*at_ == '\\') Fail(line_, "escapes in strings are not read");
                if (*at_ == '"') {
                    if (at_[1] != '"') break;
                    ++at_;  // "" stands for one quote
                }
                token_.text += *at_++;
            }
            ++at_;
        } else if (*at_ == ',' || *at_ == '|') {
            token_.kind = Token::Punct;
            token_.text = *at_++;
        } else {
            Fail(line_, std::string("unexpected character '") + *at_ + "'");
        }
    }

    const char* at_;
    std::map<std::string, uint32_t> names_;
    int line_ = 1;
    bool lineStart_ = true;
    Token token_;
};

// The predefined class a class atom stands for.
std::string AtomClass(int line, int64_t atom) {
    switch (atom) {
        case 0x0080: return "BUTTON";
        case 0x0081: return "EDIT";
        case 0x0082: return "STATIC";
        case 0x0083: return "LISTBOX";
        case 0x0084: return "SCROLLBAR";
        case 0x0085: return "COMBOBOX";
        default: Fail(line, "not the atom of a predefined class");
    }
}

// x, y, width, height in dialog units.
void ReadRectangle(Reader& reader, int16_t* x, int16_t* y, int16_t* width, int16_t* height) {
    *x = reader.Short();
    reader.Expect(",");
    *y = reader.Short();
    reader.Expect(",");
    *width = reader.Short();
    reader.Expect(",");
    *height = reader.Short();
}

ControlTemplate ReadControl(Reader& reader) {
    ControlTemplate control;
    control.text = reader.String();
    reader.Expect(",");
    control.id = reader.Short();
    reader.Expect(",");
    if (reader.Peek().kind == Token::String) {
        control.className = reader.String();
    } else {
        const int line = reader.Peek().line;
        control.className = AtomClass(line, reader.Value());
    }
    reader.Expect(",");
    control.style = static_cast<uint32_t>(reader.Value());
    reader.Expect(",");
    ReadRectangle(reader, &control.x, &control.y, &control.width, &control.height);
    return control;
}

DialogTemplate ReadDialog(Reader& reader, int32_t id) {
    DialogTemplate dialog;
    dialog.id = id;
    ReadRectangle(reader, &dialog.x, &dialog.y, &dialog.width, &dialog.height);
    for (;;) {
        Token option = reader.Take();
        if (option.kind != Token::Name) Fail(option.line, "expected a dialog option or BEGIN");
        if (option.text == "STYLE") {
            dialog.style = static_cast<uint32_t>(reader.Value());
        } else if (option.text == "CAPTION") {
            dialog.caption = reader.String();
        } else if (option.text == "FONT") {
            dialog.fontSize = reader.Short();
            reader.Expect(",");
            dialog.fontName = reader.String();
        } else if (option.text == "BEGIN") {
            break;
        } else {
            Fail(option.line, "unknown dialog option " + option.text);
        }
    }
    for (;;) {
        Token statement = reader.Take();
        if (statement.kind == Token::Name && statement.text == "END") break;
        if (statement.kind != Token::Name || statement.text != "CONTROL") {
            Fail(statement.line, "expected CONTROL or END");
        }
        dialog.controls.push_back(ReadControl(reader));
    }
    return dialog;
}

std::vector<DialogTemplate> ReadScript(const char* script) {
    std::vector<DialogTemplate> dialogs;
    Reader reader(script);
    while (reader.Peek().kind != Token::End) {
        Token first = reader.Take();
        if (first.kind == Token::Name && first.text == "LANGUAGE") {
            reader.Value();
            reader.Expect(",");
            reader.Value();
            continue;
        }
        if (first.kind != Token::Number) Fail(first.line, "expected a resource id or LANGUAGE");
        reader.ExpectName("DIALOG");
        dialogs.push_back(ReadDialog(reader, static_cast<int32_t>(first.number)));
    }
    return dialogs;
}

}  // namespace

namespace sim {

const std::vector<DialogTemplate>& DialogTemplates() {
    static const std::vector<DialogTemplate> templates = ReadScript(kDialogScript);
    return templates;
}

const DialogTemplate* FindDialogTemplate(int32_t id) {
    for (const DialogTemplate& dialog : DialogTemplates()) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

}  // namespace sim
