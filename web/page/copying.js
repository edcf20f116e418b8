// Copying an answer or the working, and saving a long answer to a file.

// Copies `text` and says how it went in `status`, in `w`'s words. `clipboard`
// is the page's hidden text area: without the asynchronous clipboard (a page
// opened from disk, an older browser) the text is selected there and copied
// the old way; it also keeps the last text copied.
function quotalisCopy(text, clipboard, status, w) {
  var show = function (message) { status.textContent = message; };
  if (typeof text !== 'string') {
    show(w.nothingToCopy);
    return;
  }
  clipboard.value = text;
  var fallback = function () {
    var focused = document.activeElement;
    clipboard.select();
    var done = false;
    try {
      done = document.execCommand('copy');
    } catch (e) {
      done = false;
    }
    if (focused) focused.focus();
    show(done ? w.copied : w.copyFailed);
  };
  if (navigator.clipboard && window.isSecureContext) {
    navigator.clipboard.writeText(text).then(function () { show(w.copied); }, fallback);
  } else {
    fallback();
  }
}

function quotalisDownload(text) {
  var url = URL.createObjectURL(new Blob([text], {type: 'text/plain;charset=utf-8'}));
  var a = document.createElement('a');
  a.href = url;
  a.download = 'quotalis-answer.txt';
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(function () { URL.revokeObjectURL(url); }, 10000);
}
