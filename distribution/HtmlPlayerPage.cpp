#include "distribution/HtmlPlayerPage.h"

namespace velmora {

// One column on a phone, a dialog-sized card on a desk; buttons large enough
// for a thumb and showing the hand pointer as the step dialogs' buttons do.
std::string_view HtmlPlayerStyle() {
  return R"CSS(
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%}
body{margin:0;min-height:100vh;background:#e9edf2;color:#1b1b1b;font:16px/1.6 IPAGothic,'IPA Gothic','Noto Sans CJK JP',sans-serif;display:flex;align-items:flex-start;justify-content:center}
.card{width:100%;max-width:34rem;margin:6vh 0.75rem;background:#fff;border:1px solid #b9c2cc;border-radius:8px;box-shadow:0 4px 18px rgba(0,0,0,.12);overflow:hidden}
.caption{margin:0;padding:.55rem .9rem;min-height:2.6rem;background:#f3f5f8;border-bottom:1px solid #d5dbe1;font-size:1rem;font-weight:normal;overflow-wrap:anywhere}
.progress{height:.45rem;background:#dfe3e8}
.progress[hidden]{display:none}
.bar{height:100%;width:0}
.colour-1 .bar{background:#06b025}
.colour-2 .bar{background:#dab100}
.colour-3 .bar{background:#d32f2f}
.step{display:flex;gap:.9rem;align-items:center;padding:1.3rem 1.1rem}
.icon{flex:none;width:2.5rem;height:2.5rem}
.icon[hidden]{display:none}
.message{margin:0;white-space:pre-wrap;overflow-wrap:anywhere;flex:1}
.kind{position:absolute;width:1px;height:1px;margin:-1px;padding:0;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap;border:0}
.buttons{display:flex;flex-wrap:wrap;justify-content:center;gap:.6rem;padding:0 1rem 1.2rem}
button{font:inherit;min-width:6.5rem;min-height:2.75rem;padding:.3rem 1rem;border:1px solid #8c98a4;border-radius:6px;background:#f7f8fa;color:inherit;cursor:pointer}
button:hover{background:#eef3f9}
button:focus{outline:3px solid #2b6cc4;outline-offset:1px}
button.default{border-color:#2b6cc4}
.path{margin:0;padding:1rem 1.1rem 1rem 2.4rem}
.path li{margin:0 0 .7rem;white-space:pre-wrap;overflow-wrap:anywhere}
.answer{display:block;font-weight:bold}
.answer::before{content:"\2192\00a0"}
.status{min-height:1.6em;margin:0;padding:0 1rem 1rem;text-align:center;color:#3d5a80}
@media (prefers-reduced-motion:reduce){*{transition:none!important;animation:none!important;scroll-behavior:auto!important}}
@media (forced-colors:active){.card,.progress,button{border:1px solid CanvasText}.bar{background:Highlight!important;forced-color-adjust:none}button.default{border:3px solid Highlight}button:focus{outline:3px solid Highlight}}
@media (max-width:30rem){.card{margin:0;min-height:100vh;border:0;border-radius:0;box-shadow:none}.buttons{flex-direction:column;align-items:stretch}button{width:100%}}
)CSS";
}

// The run as the step dialogs drive it: Yes to the first answer, No to the
// last, Back along the steps taken (to the parent where none were, at the
// top the end); OK ends the run, or on an end with a link goes on there. The
// keyboard follows the dialogs: Y and N answer a question, Enter presses the
// focused button, Escape presses the second button of an end of a path only.
std::string_view HtmlPlayerScript() {
  return R"JS(
(function () {
  "use strict";
  var data = JSON.parse(document.getElementById("procedure").textContent);
  var text = data.texts;
  var icons = ["icon-question", "icon-information", "icon-exclamation", "icon-inhibit"];
  var MESSAGE = 0, ICON = 1, NO_DEFAULT = 2, YES = 3, NO = 4, PARENT = 5, COMPLETED = 6, TOTAL = 7, PICTURE = 8,
      ALT = 9;
  function $(id) { return document.getElementById(id); }
  var current = 0, path = [], finalMessage = null;
  // Where each end with a link goes on, by step.
  var links = data.links || {};

  function isQuestion(node) { return node[YES] >= 0; }

  // "はい(&Y)": the letter after "&" underlined, as the dialogs show it.
  function caption(label) {
    var part = document.createDocumentFragment(), at = label.indexOf("&");
    if (at < 0 || at + 1 >= label.length) { part.appendChild(document.createTextNode(label)); return part; }
    part.appendChild(document.createTextNode(label.slice(0, at)));
    var letter = document.createElement("u");
    letter.textContent = label.charAt(at + 1);
    part.appendChild(letter);
    part.appendChild(document.createTextNode(label.slice(at + 2)));
    return part;
  }

  function buttonsOf(node) {
    var back = node[PARENT] < 0 && path.length === 0 ? [text.finish, "back"] : [text.back, "back"];
    return isQuestion(node) ? [[text.yes, "yes"], [text.no, "no"], back] : [[text.ok, "ok"], back];
  }

  function show() {
    var node = data.nodes[current];
    $("kind").textContent = text.kinds[node[ICON]] + ": ";
    $("message").textContent = node[MESSAGE];
    // The step's picture above it, named by its alt text; a page without
    // pictures has no place for one.
    var picture = $("picture");
    if (picture) {
      picture.hidden = !node[PICTURE];
      if (node[PICTURE]) {
        picture.src = node[PICTURE];
        picture.alt = node[ALT];
      } else {
        picture.removeAttribute("src");
        picture.alt = "";
      }
    }
    var icon = "#" + icons[node[ICON]];
    $("icon").setAttribute("href", icon);
    $("icon").setAttributeNS("http://www.w3.org/1999/xlink", "xlink:href", icon);
    $("bar").style.width = (100 * node[COMPLETED] / node[TOTAL]) + "%";
    $("progress").setAttribute("aria-valuenow", String(Math.round(100 * node[COMPLETED] / node[TOTAL])));
    var row = $("buttons"), focus = null;
    row.textContent = "";
    buttonsOf(node).forEach(function (entry, index) {
      var button = document.createElement("button");
      button.type = "button";
      button.setAttribute("data-answer", entry[1]);
      button.appendChild(caption(entry[0]));
      button.addEventListener("click", function () { answer(entry[1]); });
      row.appendChild(button);
      if (node[NO_DEFAULT] ? entry[1] === "no" : index === 0) focus = button;
    });
    focus.className = "default";
    focus.focus();
  }

  // An end with a link and no message of its own: nothing to show.
  function passedAtOnce(step) { return step in links && /^[ \t]*$/.test(data.nodes[step][MESSAGE]); }

  // Goes on at `next`, and on past every end passed at once (a few only,
  // should such ends lead only to each other). A step the run comes back
  // to takes the path back to where it was first shown.
  function goTo(next) {
    for (var passed = 0; ; passed++) {
      current = next;
      for (var i = 0; i < path.length; i++) {
        if (path[i][0] === next) { path.length = i; break; }
      }
      if (!passedAtOnce(next) || passed > data.nodes.length) break;
      path.push([next, "ok"]);
      next = links[next];
    }
    show();
  }

  function answer(which) {
    var node = data.nodes[current];
    if (which === "yes" || which === "no") {
      path.push([current, which]);
      goTo(node[which === "yes" ? YES : NO]);
    } else if (which === "back" && (path.length > 0 || node[PARENT] >= 0)) {
      // Back along the steps taken, across links too.
      do {
        current = path.length > 0 ? path.pop()[0] : data.nodes[current][PARENT];
      } while (path.length > 0 && passedAtOnce(current));
      show();
    } else if (which === "ok" && current in links) {
      path.push([current, "ok"]);
      goTo(links[current]);
    } else {
      finish(which === "ok" ? node[MESSAGE] : null);
    }
  }

  function pathEntries() {
    var entries = path.map(function (step) {
      var said = step[1] === "yes" ? text.yesAnswer : step[1] === "no" ? text.noAnswer : text.ok;
      return { message: data.nodes[step[0]][MESSAGE], answer: said };
    });
    if (finalMessage !== null) entries.push({ message: finalMessage, answer: null });
    return entries;
  }

  function pathText() {
    var lines = [data.title];
    pathEntries().forEach(function (entry) {
      lines.push("", entry.message);
      if (entry.answer !== null) lines.push("\u2192 " + entry.answer);
    });
    return lines.join("\n") + "\n";
  }

  function finish(message) {
    finalMessage = message;
    var list = $("path");
    list.textContent = "";
    pathEntries().forEach(function (entry) {
      var item = document.createElement("li");
      item.appendChild(document.createTextNode(entry.message));
      if (entry.answer !== null) {
        var chosen = document.createElement("span");
        chosen.className = "answer";
        chosen.textContent = entry.answer;
        item.appendChild(chosen);
      }
      list.appendChild(item);
    });
    $("status").textContent = "";
    $("run").hidden = true;
    $("end").hidden = false;
    $("copy").focus();
  }

  function restart() {
    current = 0;
    path = [];
    finalMessage = null;
    $("end").hidden = true;
    $("run").hidden = false;
    show();
  }

  // The clipboard API where the page may use it, the selection where not.
  function copyPath() {
    var value = pathText();
    function done(ok) { $("status").textContent = ok ? text.copied : text.copyFailed; }
    function bySelection() {
      var area = document.createElement("textarea");
      area.value = value;
      area.setAttribute("readonly", "");
      area.style.position = "fixed";
      area.style.opacity = "0";
      document.body.appendChild(area);
      area.select();
      var ok = false;
      try { ok = document.execCommand("copy"); } catch (e) { ok = false; }
      document.body.removeChild(area);
      done(ok);
    }
    if (navigator.clipboard && navigator.clipboard.writeText) {
      navigator.clipboard.writeText(value).then(function () { done(true); }, bySelection);
    } else {
      bySelection();
    }
  }

  document.addEventListener("keydown", function (event) {
    if ($("run").hidden || event.ctrlKey || event.altKey || event.metaKey) return;
    var node = data.nodes[current], key = event.key, row = $("buttons");
    if (isQuestion(node) && (key === "y" || key === "Y")) {
      answer("yes");
    } else if (isQuestion(node) && (key === "n" || key === "N")) {
      answer("no");
    } else if (!isQuestion(node) && (key === "Escape" || key === "Esc")) {
      answer("back");
    } else if (key === "Enter") {
      var target = document.activeElement;
      if (!target || target.parentNode !== row) target = row.querySelector(".default");
      target.click();
    } else {
      return;
    }
    event.preventDefault();
  });

  $("copy").addEventListener("click", copyPath);
  $("again").addEventListener("click", restart);
  $("progress").hidden = !data.colour;
  $("run").className = "colour-" + data.colour;
  if (data.nodes.length === 0) finish(null); else show();
})();
)JS";
}

}  // namespace velmora
