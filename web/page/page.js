// SPDX-License-Identifier: MIT
// The window as a web page. The calculator (kalvo.js and kalvo.wasm) holds
// every decision; this script makes the controls from its design, hands it
// every event and shows the window model it leaves, as the desktop window does.
"use strict";

const SmallestFontPoints = 9;

function element(tag, attributes = {}) {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    return made;
}

class Page {
    constructor(core) {
        this.core = core;
        this.design = this.read(core._kalvo_design());
        this.client = document.getElementById("client");
        this.client.style.height = `${this.design.clientHeight}px`;
        this.client.style.background = this.design.background;
        this.controls = this.design.controls.map((design, index) => this.makeControl(design, index));
        new MenuBar(document.getElementById("menubar"), this);
        core._kalvo_load();
        this.show();
        performance.mark("kalvo-ready"); // for the benchmark: from here on, a key computes
        window.addEventListener("resize", () => this.fitToScreen());
    }

    read(pointer) {
        return JSON.parse(this.core.UTF8ToString(pointer));
    }

    // Runs one call into the calculator, then shows the model it left.
    handle(call) {
        call(this.core);
        this.show();
    }

    makeControl(design, index) {
        const tag = { button: "button", line: "input", multi: "textarea" }[design.kind];
        const control = element(tag, { id: design.name, class: "control" });
        const font = { sans: "var(--sans)", serif: "var(--serif)", default: "var(--sans)" }[design.typeface];
        Object.assign(control.style, {
            left: `${design.left}px`,
            top: `${design.top}px`,
            width: `${design.width}px`,
            height: `${design.height}px`,
            fontFamily: font,
            fontSize: this.designedSize(design),
            fontWeight: design.bold ? "bold" : "normal",
            fontStyle: design.italic ? "italic" : "normal",
        });
        if (design.skippedByTab) control.tabIndex = -1;
        if (tag === "button") {
            control.type = "button";
            control.addEventListener("click", () => this.handle((core) => core._kalvo_click(index)));
        } else {
            control.spellcheck = false;
            if (tag === "input") {
                control.type = "text";
                control.autocomplete = "off";
                control.maxLength = 32767; // as a desktop line edit takes
            }
        }
        if (design.valueField) {
            // A phone's keyboard must not change what is typed: which
            // letters name a constant is decided by their case (c, C).
            // Letters and an exponent are typed, so the keyboard is text's.
            control.setAttribute("autocapitalize", "off");
            control.setAttribute("autocorrect", "off");
            control.enterKeyHint = "go";
            control.addEventListener("input", () => this.edit(index, control.value));
            control.addEventListener("keydown", (event) => this.keyDown(index, event));
        }
        this.client.append(control);
        return { design, control };
    }

    // The model follows every edit, so that it always holds what the field
    // shows: as well-formed UTF-8 of its length (a pasted text may hold a
    // lone surrogate or a NUL).
    edit(index, text) {
        const core = this.core;
        const wellFormed = text.replace(/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g, "\uFFFD");
        const length = core.lengthBytesUTF8(wellFormed);
        const copy = core._malloc(length + 1);
        core.stringToUTF8(wellFormed, copy, length + 1);
        core._kalvo_edit(index, copy, length);
        core._free(copy);
    }

    // The character a key types goes to the field's key handler, Enter as
    // the design's code, whatever keys are held with it: the calculator
    // decides what counts (Ctrl+Enter computes; AltGr is Ctrl and Alt).
    keyDown(index, event) {
        if (event.isComposing) return;
        const enterKey = this.design.enterKey;
        const code = event.key === "Enter" ? enterKey : [...event.key].length === 1 ? event.key.codePointAt(0) : 0;
        if (code === 0 || code > 0xffff) return;
        this.handle((core) => core._kalvo_key(index, code));
        if (code === enterKey) performance.measure("kalvo-enter", { start: event.timeStamp });
    }

    show() {
        const model = this.read(this.core._kalvo_model());
        this.width = model.width;
        this.client.style.width = `${model.width}px`;
        document.getElementById("menubar").style.width = `${model.width}px`;
        const toFit = this.controls.filter((binding, index) => this.showControl(binding, model.controls[index]));
        this.fitTexts(toFit);
        this.fitToScreen();
    }

    showControl(binding, shown) {
        const { design, control } = binding;
        const text = shown.text.replace(/\r\n/g, "\n");
        const textChanged = design.kind === "button" ? control.textContent !== text : control.value !== text;
        if (textChanged) {
            if (design.kind === "button") control.textContent = text;
            else control.value = text;
        }
        control.style.backgroundColor = shown.back;
        if (control.getAttribute("aria-label") !== shown.name) control.setAttribute("aria-label", shown.name);
        control.disabled = !shown.enabled;
        if (design.kind !== "button") control.readOnly = shown.readOnly;
        control.classList.toggle("greyed", shown.greyed);
        const appears = control.hidden && shown.visible;
        control.hidden = !shown.visible;
        // Whether its text is to be fitted anew.
        return shown.visible && design.showsTextWhole && (textChanged || appears);
    }

    // A read-only box shows its text whole: at the design's size where it
    // fits, otherwise at the largest size, in quarter points and not below
    // 9 pt, at which it fits. All are measured at once: each measurement
    // after a change lays the page out anew.
    fitTexts(bindings) {
        for (const { design, control } of bindings) control.style.fontSize = this.designedSize(design);
        for (const { control } of bindings.filter(({ control }) => this.overflows(control))) {
            let points = (parseFloat(getComputedStyle(control).fontSize) * 3) / 4;
            while (points > SmallestFontPoints && this.overflows(control)) {
                points -= 0.25;
                control.style.fontSize = `${points}pt`;
            }
        }
    }

    // The window's own font where the design names none.
    designedSize(design) {
        return design.typeface === "default" ? "" : `${design.pointSize}pt`;
    }

    overflows(control) {
        return control.scrollHeight > control.clientHeight + 1 || control.scrollWidth > control.clientWidth + 1;
    }

    // A screen narrower than the window shows all of it, smaller; the
    // browser's own zoom still enlarges it.
    fitToScreen() {
        const frame = document.getElementById("Kalvo");
        const room = document.documentElement.clientWidth;
        frame.style.zoom = this.width > room ? String(room / this.width) : "";
    }
}

// The menu bar as desktop menus behave: Alt or F10 reaches it, the arrows
// move along it and through a menu, Enter or Space chooses, Escape leaves.
class MenuBar {
    constructor(bar, page) {
        this.bar = bar;
        this.page = page;
        this.titles = [];
        this.returnFocus = null;
        for (const menu of page.design.menus) this.addMenu(menu);
        page.design.commands.forEach((caption, index) => {
            const item = this.addTitle(caption, caption);
            item.addEventListener("click", () => this.choose((core) => core._kalvo_command(index)));
        });
        this.titles.forEach((title, index) => (title.tabIndex = index === 0 ? 0 : -1));
        bar.addEventListener("keydown", (event) => this.keyDown(event));
        document.addEventListener("keydown", (event) => this.documentKeyDown(event));
        document.addEventListener("keyup", (event) => this.documentKeyUp(event));
        document.addEventListener("pointerdown", (event) => {
            if (!this.bar.contains(event.target)) this.closeMenus();
            else if (!this.bar.contains(document.activeElement)) this.returnFocus = document.activeElement;
        });
    }

    addTitle(caption, name) {
        const holder = element("div", { class: "menu-title", role: "none" });
        const title = element("button", { type: "button", role: "menuitem", id: `menu-${name}` });
        title.textContent = caption;
        holder.append(title);
        this.bar.append(holder);
        this.titles.push(title);
        title.addEventListener("focus", () => this.titles.forEach((t) => (t.tabIndex = t === title ? 0 : -1)));
        return title;
    }

    addMenu(design) {
        const title = this.addTitle(design.caption, design.name);
        title.setAttribute("aria-haspopup", "menu");
        title.setAttribute("aria-expanded", "false");
        const menu = element("div", { role: "menu", id: design.name, "aria-label": design.caption });
        menu.hidden = true;
        for (const entry of design.items) {
            const item = element("button", { type: "button", role: "menuitem", tabindex: "-1", id: entry.name });
            item.textContent = entry.caption;
            item.addEventListener("click", () => this.choose((core) => core._kalvo_choose(entry.entry)));
            menu.append(item);
        }
        title.parentElement.append(menu);
        title.addEventListener("click", () => (menu.hidden ? this.openMenu(title, false) : this.closeMenus()));
    }

    menuOf(title) {
        return title.parentElement.querySelector('[role="menu"]');
    }

    openMenu(title, focusFirst) {
        this.closeMenus();
        const menu = this.menuOf(title);
        if (!menu) return;
        menu.hidden = false;
        title.setAttribute("aria-expanded", "true");
        if (focusFirst) menu.querySelector("button").focus();
    }

    closeMenus() {
        for (const title of this.titles) {
            const menu = this.menuOf(title);
            if (!menu) continue;
            menu.hidden = true;
            title.setAttribute("aria-expanded", "false");
        }
    }

    // A choice closes the menus and gives the focus back to where it was.
    choose(call) {
        this.closeMenus();
        const back = this.returnFocus;
        this.returnFocus = null;
        this.page.handle(call);
        if (back && back.isConnected && !back.hidden && !back.disabled) back.focus();
    }

    enter() {
        if (!this.bar.contains(document.activeElement)) this.returnFocus = document.activeElement;
        this.titles[0].focus();
    }

    leave() {
        this.closeMenus();
        const back = this.returnFocus;
        this.returnFocus = null;
        if (back && back.isConnected) back.focus();
        else document.activeElement.blur();
    }

    documentKeyDown(event) {
        this.altAlone = event.key === "Alt" && !event.repeat;
        if (event.key === "F10" && !event.shiftKey) {
            event.preventDefault();
            this.enter();
        }
    }

    documentKeyUp(event) {
        if (event.key === "Alt" && this.altAlone) {
            event.preventDefault();
            if (this.bar.contains(document.activeElement)) this.leave();
            else this.enter();
        }
        this.altAlone = false;
    }

    keyDown(event) {
        const target = event.target;
        const titleIndex = this.titles.indexOf(target);
        const menu = target.closest('[role="menu"]');
        const move = (list, from, step) => list[(from + step + list.length) % list.length];
        if (titleIndex >= 0) {
            const menuHere = this.menuOf(target);
            if (event.key === "ArrowRight" || event.key === "ArrowLeft") {
                const next = move(this.titles, titleIndex, event.key === "ArrowRight" ? 1 : -1);
                const wasOpen = menuHere && !menuHere.hidden;
                this.closeMenus();
                next.focus();
                if (wasOpen) this.openMenu(next, true);
            } else if (menuHere && (event.key === "ArrowDown" || event.key === "Enter" || event.key === " ")) {
                this.openMenu(target, true);
            } else if (event.key === "Escape") {
                this.leave();
            } else {
                return;
            }
        } else if (menu) {
            const items = [...menu.querySelectorAll("button")];
            const index = items.indexOf(target);
            const title = menu.previousElementSibling;
            if (event.key === "ArrowDown" || event.key === "ArrowUp") {
                move(items, index, event.key === "ArrowDown" ? 1 : -1).focus();
            } else if (event.key === "Home" || event.key === "End") {
                items[event.key === "Home" ? 0 : items.length - 1].focus();
            } else if (event.key === "Escape") {
                this.closeMenus();
                title.focus();
            } else if (event.key === "ArrowRight" || event.key === "ArrowLeft") {
                const next = move(this.titles, this.titles.indexOf(title), event.key === "ArrowRight" ? 1 : -1);
                this.closeMenus();
                next.focus();
                if (this.menuOf(next)) this.openMenu(next, true);
            } else if (event.key === "Tab") {
                this.closeMenus();
                return;
            } else {
                return;
            }
        } else {
            return;
        }
        event.preventDefault();
    }
}

// The page keeps nothing but the cache of its own files, which makes it work
// offline; a browser without service workers simply goes online each time,
// and a page opened from a file (kalvo.html) needs no network.
function workOffline() {
    if ("serviceWorker" in navigator && window.isSecureContext && location.protocol !== "file:")
        navigator.serviceWorker.register("sw.js").catch(() => {});
}

// Where the calculator cannot start, the page says why, in words a person
// can act on, instead of showing an empty window.
function whyItCannotRun() {
    if (typeof WebAssembly !== "object")
        return "Dieser Browser kann kein WebAssembly ausführen, mit dem Kalvotron rechnet; ein aktueller Browser kann es.";
    if (location.protocol === "file:")
        return "Als Datei geöffnet, darf diese Seite ihren Rechenkern (kalvo.wasm) nicht laden: " +
            "öffnen Sie stattdessen kalvo.html aus demselben Ordner.";
    return "Der Rechenkern (kalvo.js, kalvo.wasm) ließ sich nicht laden; laden Sie die Seite neu.";
}

function start() {
    try {
        return createKalvo();
    } catch (error) {
        return Promise.reject(error); // kalvo.js missing, or no WebAssembly
    }
}

start().then(
    (core) => {
        new Page(core);
        workOffline();
    },
    () => {
        document.getElementById("client").textContent = whyItCannotRun();
    },
);
