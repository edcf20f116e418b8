// The working read aloud with the browser's speech synthesis, in the page's
// language where a voice for it exists: each block of the working in turn,
// by its spoken alternative (the module writes it as a teacher reads the
// working aloud: "6分の1", "0.16, 6 recurring"), the block being read
// marked. The button is hidden where no voice speaks the page's language,
// and while there is no working. The answer's spoken alternative is the
// working's closing line, read the same way.
(function () {
  'use strict';
  var synth = window.speechSynthesis;
  var button = document.getElementById('read-aloud');
  var working = document.getElementById('working');
  var answer = document.getElementById('answer');
  if (!button || !working) return;
  var reading = false;

  function language() { return (document.documentElement.lang || 'ja').toLowerCase(); }

  // A voice for the page's language ("ja" takes "ja-JP" too), or null.
  function voice() {
    if (!synth || typeof SpeechSynthesisUtterance === 'undefined') return null;
    var lang = language();
    var voices = synth.getVoices();
    for (var i = 0; i < voices.length; i++) {
      var v = (voices[i].lang || '').toLowerCase().replace('_', '-');
      if (v === lang || v.indexOf(lang + '-') === 0) return voices[i];
    }
    return null;
  }

  // The working's blocks in order: its formulas, and its sentences, which the
  // page lays out as paragraphs keeping their spoken text.
  function blocks() {
    return Array.from(working.querySelectorAll(':scope > math[alttext], :scope > p.quotalis-sentence'));
  }

  function spokenText(block) {
    if (block.localName === 'p') {
      var offscreen = block.querySelector('.offscreen');
      return offscreen ? offscreen.textContent : '';
    }
    return block.getAttribute('alttext') || '';
  }

  function mark(block) {
    blocks().forEach(function (b) { b.classList.toggle('quotalis-reading', b === block); });
  }

  function label() {
    var w = QUOTALIS_WORDS[language()] || QUOTALIS_WORDS.ja;
    button.textContent = reading ? w.stopReading : w.readAloud;
    button.setAttribute('aria-pressed', reading ? 'true' : 'false');
  }

  function stop() {
    var was = reading;
    reading = false;
    if (was && synth) synth.cancel();
    mark(null);
    label();
  }

  function refresh() {
    var list = blocks();
    button.hidden = working.hidden || list.length === 0 || !voice();
    if (button.hidden && reading) stop();
    if (answer) {
      // The closing line states the entry and its answer.
      var closing = list.length ? spokenText(list[list.length - 1]) : '';
      if (closing) {
        answer.setAttribute('aria-label', closing);
      } else {
        answer.removeAttribute('aria-label');
      }
    }
  }

  function readFrom(list, i, v) {
    if (!reading) return;
    if (i >= list.length) {
      stop();
      return;
    }
    var u = new SpeechSynthesisUtterance(spokenText(list[i]));
    u.voice = v;
    u.lang = v.lang;
    u.onend = function () { readFrom(list, i + 1, v); };
    u.onerror = function () { stop(); };
    mark(list[i]);
    if (list[i].scrollIntoView) list[i].scrollIntoView({block: 'nearest'});
    synth.speak(u);
  }

  button.addEventListener('click', function () {
    if (reading) {
      stop();
      return;
    }
    var v = voice();
    if (!v) {
      refresh();
      return;
    }
    reading = true;
    label();
    readFrom(blocks(), 0, v);
  });

  // A new working, or none, stops the reading; so does another language.
  new MutationObserver(function () {
    stop();
    refresh();
  }).observe(working, {childList: true, attributes: true, attributeFilter: ['hidden']});
  new MutationObserver(function () {
    stop();
    refresh();
  }).observe(document.documentElement, {attributes: true, attributeFilter: ['lang']});
  if (synth && synth.addEventListener) synth.addEventListener('voiceschanged', refresh);
  label();
  refresh();
})();
