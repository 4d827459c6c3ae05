// Conveniences of the contact clean-up page. The page works without them: the
// program reads the controls by id and the start is a plain link.
"use strict";

(function () {
  function byId(id) {
    return document.getElementById(id);
  }

  // The choices that only matter while their pass is switched on are faded
  // while it is off (they stay usable).
  function fadeGroupsOfSwitchedOffPasses() {
    document.querySelectorAll(".group[data-follows]").forEach(function (group) {
      var box = byId(group.getAttribute("data-follows"));
      if (!box) return;
      var update = function () {
        group.classList.toggle("off", !box.checked);
      };
      box.addEventListener("change", update);
      update();
    });
  }

  // Choosing a template from the list, or typing one, selects that way of
  // making the display name.
  function followTemplateChoice() {
    var list = byId("sbDisplayType");
    var typed = byId("sDisplayName");
    list.addEventListener("change", function () {
      byId("rbDisplayNameType1").checked = true;
    });
    typed.addEventListener("input", function () {
      byId("rbDisplayNameType2").checked = true;
    });
  }

  // The bar's width is set by the program; the progress bar role reports it.
  function reportProgress() {
    var image = byId("idProgress");
    var track = image.parentElement;
    var full = image.width;
    var update = function () {
      if (full <= 0) return;
      var percent = Math.max(0, Math.min(100, Math.floor((image.width * 100) / full)));
      track.setAttribute("aria-valuenow", String(percent));
    };
    new MutationObserver(update).observe(image, {
      attributes: true,
      attributeFilter: ["width"],
    });
    update();
  }

  // When a run starts, the log comes into view: its newest line is always
  // right below its heading.
  function showLogOnStart() {
    byId("start").addEventListener("click", function () {
      var hint = byId("logHint");
      if (hint) hint.hidden = true;
      var log = byId("idLog").parentElement;
      window.scrollTo(0, Math.max(0, log.offsetTop - byId("run").offsetHeight));
    });
  }

  function init() {
    fadeGroupsOfSwitchedOffPasses();
    followTemplateChoice();
    reportProgress();
    showLogOnStart();
  }

  if (document.readyState === "loading") {
    document.addEventListener("DOMContentLoaded", init);
  } else {
    init();
  }
})();
