// The working's sentences as the page lays them out. The module writes a
// sentence as one <math> block, its words <mtext>; MathML has no line
// breaking, and only Chromium lets such words wrap. Here each becomes a
// paragraph of text, its formulas inline <math>, which wraps in every
// engine; a screen reader hears the block's spoken text, as before.

function quotalisSentenceParagraph(block) {
  var p = quotalisElement('p', 'quotalis-sentence');
  var spoken = block.getAttribute('alttext') || block.getAttribute('aria-label') || '';
  p.appendChild(quotalisElement('span', 'offscreen', spoken));
  var shown = quotalisElement('span');
  shown.setAttribute('aria-hidden', 'true');
  Array.from(block.childNodes).forEach(function (child) {
    if (child.nodeType !== 1) return;
    if (child.localName === 'mtext') {
      // Its blanks, kept from MathML's trimming as no-break spaces, may break.
      shown.appendChild(document.createTextNode(child.textContent.replace(/\u00a0/g, ' ')));
      return;
    }
    quotalisFormulaPieces(child).forEach(function (piece, i) {
      // A line may break after an equals sign, as in a book: a formula
      // wider than the page goes on to the next line rather than out of it.
      if (i > 0) shown.appendChild(document.createTextNode('\u200b'));
      var math = document.createElementNS(QUOTALIS_MATHML, 'math');
      math.appendChild(piece);
      shown.appendChild(math);
    });
  });
  p.appendChild(shown);
  return p;
}

// A formula of a sentence as the pieces a line may break between: a row
// cut after each of its own equals signs, or the formula whole.
function quotalisFormulaPieces(formula) {
  if (formula.localName !== 'mrow') return [formula.cloneNode(true)];
  var pieces = [], row = null;
  Array.from(formula.children).forEach(function (part) {
    if (!row) row = document.createElementNS(QUOTALIS_MATHML, 'mrow');
    row.appendChild(part.cloneNode(true));
    if (part.localName === 'mo' && part.textContent === '=') {
      pieces.push(row);
      row = null;
    }
  });
  if (row) pieces.push(row);
  return pieces;
}

// Every sentence block in `root` (a fragment or an element) as a paragraph.
function quotalisLayOutSentences(root) {
  Array.from(root.querySelectorAll('math.quotalis-sentence')).forEach(function (block) {
    block.parentNode.replaceChild(quotalisSentenceParagraph(block), block);
  });
  return root;
}
