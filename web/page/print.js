// The print button: the browser's own print of the page, which the print
// style sheet (style.css) keeps to the entry, the answer and the working.
document.addEventListener('DOMContentLoaded', function () {
  var button = document.getElementById('print');
  if (button) button.addEventListener('click', function () { window.print(); });
});
