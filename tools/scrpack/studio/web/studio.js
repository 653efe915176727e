// The studio page: every change goes to the server at once, which writes it into the show's manifest and
// answers with the show as it now stands.

const $ = (selector, root = document) => root.querySelector(selector);
const $$ = (selector, root = document) => [...root.querySelectorAll(selector)];

const choices = {
  positions: ['top', 'top-left', 'top-right', 'bottom', 'bottom-left', 'bottom-right', 'center', 'center-left',
    'center-right', 'custom'],
  placements: ['stretch', 'center', 'tile', 'random'],
  scaleModes: ['shrink-to-fit', 'fit', 'fill-crop', 'stretch'],
  slideModes: ['whole-window', 'image-only'],
  videoModes: [[0, 'own size'], [1, 'doubled'], [2, 'quarter width'], [3, 'half width'], [4, 'width / 1.414'],
    [5, 'whole window']],
  gradients: [...Array(12).keys()].map((n) => [n, `style ${n}`]),
  sounds: [],
};

const studio = { show: null, selected: 0, effects: [], stageEffect: null, problems: new Map() };

function setStatus(text) {
  $('#status').textContent = text;
}

async function api(path, options = {}) {
  const response = await fetch(path, options);
  const type = response.headers.get('Content-Type') || '';
  const body = type.startsWith('application/json') ? await response.json() : null;
  if (!response.ok) {
    const error = new Error(body?.error || `${response.status} ${response.statusText}`);
    error.key = body?.key;
    throw error;
  }
  return body;
}

// One edit of the manifest; the show comes back and is shown. Resolves to the refusal's message, or ''.
async function edit(change) {
  try {
    studio.show = await api('/api/edit', {
      method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(change),
    });
    setStatus(`saved in ${studio.show.manifest}`);
    render();
    return '';
  } catch (error) {
    setStatus('not saved');
    return error.key ? `${error.message} (${error.key})` : error.message;
  }
}

function debounce(action, ms = 250) {
  let timer = 0;
  return (...args) => {
    clearTimeout(timer);
    timer = setTimeout(() => action(...args), ms);
  };
}

function getPath(object, path) {
  return path.split('.').reduce((value, key) => value?.[key], object);
}

function patchFor(path, value) {
  return path.split('.').reduceRight((inner, key) => ({ [key]: inner }), value);
}

function fillChoices(select) {
  const list = choices[select.dataset.choices] || [];
  select.replaceChildren(...list.map((choice) => {
    const [value, label] = Array.isArray(choice) ? choice : [choice, choice];
    const option = document.createElement('option');
    option.value = value;
    option.textContent = label;
    return option;
  }));
}

// The value an input holds, in the manifest's form.
function inputValue(input) {
  if (input.type === 'checkbox') return input.checked;
  if (input.type === 'number') return Number.parseInt(input.value || '0', 10);
  if (input.type === 'color') return input.value.toUpperCase();
  if (input.dataset.list) return [Number.parseInt(input.value, 10)];
  if (input.dataset.choices === 'videoModes') return Number.parseInt(input.value, 10);
  return input.value;
}

function showValue(input, value) {
  if (document.activeElement === input && input.type !== 'checkbox') return;
  if (input.type === 'checkbox') input.checked = Boolean(value);
  else if (input.dataset.list) input.value = Array.isArray(value) ? value[0] : value;
  else if (input.type === 'color') input.value = typeof value === 'string' ? value.toLowerCase() : '#000000';
  else input.value = value ?? '';
}

function thumbUrl(path, side = 200, background = '') {
  const query = new URLSearchParams({ path, side });
  if (background) query.set('background', background);
  return `/api/thumb?${query}`;
}

function fileTile(path, kind, background = '') {
  if (kind === 'picture') {
    const img = document.createElement('img');
    img.loading = 'lazy';
    img.alt = path;
    img.src = thumbUrl(path, 200, background);
    return img;
  }
  const icon = document.createElement('div');
  icon.className = 'kind';
  icon.textContent = kind === 'video' ? '▶' : kind === 'sound' ? '♪' : '?';
  return icon;
}

// ---------------------------------------------------------------- library

async function loadLibrary() {
  const files = await api('/api/library');
  $('#library').replaceChildren(...files.map((file) => {
    const tile = document.createElement('div');
    tile.className = 'file';
    tile.title = file.kind === 'sound' ? 'add to the music' : 'add to the show';
    tile.dataset.path = file.path;
    const name = document.createElement('span');
    name.textContent = file.path;
    tile.append(fileTile(file.path, file.kind), name);
    tile.addEventListener('click', async () => {
      const error = await edit({ op: 'add', list: file.kind === 'sound' ? 'music' : 'media', file: file.path });
      if (error) setStatus(error);
    });
    return tile;
  }));
}

async function upload(files) {
  for (const file of files) {
    setStatus(`copying ${file.name}…`);
    const form = new FormData();
    form.append('file', file, file.name);
    try {
      const { stored } = await api('/api/upload', { method: 'POST', body: form });
      const sound = /\.(wav|mp3|mid|midi|ogg|oga|wma|flac|m4a|aac|opus)$/i.test(stored);
      await edit({ op: 'add', list: sound ? 'music' : 'media', file: stored });
    } catch (error) {
      setStatus(`${file.name}: ${error.message}`);
    }
  }
  await loadLibrary();
}

// ---------------------------------------------------------------- the show

function renderItems() {
  const items = studio.show.items;
  $('#items').replaceChildren(...items.map((item, index) => {
    const tile = document.createElement('div');
    tile.className = 'item';
    tile.classList.toggle('selected', index === studio.selected);
    tile.draggable = true;
    tile.dataset.index = index;
    const problem = studio.problems.get(index);
    tile.classList.toggle('problem', Boolean(problem));
    tile.title = problem || item.file;
    const caption = document.createElement('span');
    caption.textContent = `${index + 1}. ${item.title.text || item.name}`;
    const kind = item.type === 'video' ? 'video' : 'picture';
    const background = item.background.solid ? item.background.colour : '';
    tile.append(fileTile(item.file, item.file ? kind : 'none', background), caption);
    tile.addEventListener('click', () => select(index));
    tile.addEventListener('dragstart', (event) => {
      event.dataTransfer.setData('text/plain', String(index));
      event.dataTransfer.effectAllowed = 'move';
    });
    tile.addEventListener('dragover', (event) => {
      event.preventDefault();
      tile.classList.add('drop-before');
    });
    tile.addEventListener('dragleave', () => tile.classList.remove('drop-before'));
    tile.addEventListener('drop', async (event) => {
      event.preventDefault();
      tile.classList.remove('drop-before');
      const from = Number.parseInt(event.dataTransfer.getData('text/plain'), 10);
      if (Number.isNaN(from) || from === index) return;
      const error = await edit({ op: 'move', list: 'media', from, to: index });
      if (!error) select(index);
    });
    return tile;
  }));
}

function effectSummary(item) {
  const list = item.transition.effects;
  if (!item.transition.enabled) return 'no transition';
  if (list.length === (studio.effects.length || 163)) return `random from all ${list.length} effects`;
  const names = list.map((n) => studio.effects[n]?.name ?? n);
  if (list.length === 1) return names[0];
  return `${item.transition.random ? 'random' : 'in turn'} from ${names.join(', ')}`;
}

function renderEditor() {
  const item = studio.show.items[studio.selected];
  const editor = $('#item-editor');
  editor.hidden = !item;
  if (!item) return;
  $('#item-number').textContent = `${studio.selected + 1} of ${studio.show.items.length}: ${item.name}`;
  for (const input of $$('[data-key]', editor)) showValue(input, getPath(item, input.dataset.key));
  for (const input of $$('[data-option]')) showValue(input, studio.show.options[input.dataset.option]);
  $('.video-only').hidden = item.type !== 'video';
  $('#effect-summary').textContent = effectSummary(item);
}

function renderProject() {
  $('#show-name').textContent = studio.show.project.name || '';
  for (const input of $$('[data-project]')) showValue(input, studio.show.project[input.dataset.project] ?? '');
  choices.sounds = ['', ...studio.show.music.map((track) => track.name)];
  for (const select of $$('select[data-choices="sounds"]')) fillChoices(select);
  const music = studio.show.music;
  $('#music').replaceChildren(...music.map((track, index) => {
    const row = document.createElement('li');
    row.textContent = `${track.name}${track.track === false ? ' (sound only)' : ''} `;
    const button = (label, change) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = label;
      b.addEventListener('click', () => edit(change));
      return b;
    };
    if (index > 0) row.append(button('↑', { op: 'move', list: 'music', from: index, to: index - 1 }));
    if (index + 1 < music.length) row.append(button('↓', { op: 'move', list: 'music', from: index, to: index + 1 }));
    row.append(button('remove', { op: 'remove', list: 'music', index }));
    return row;
  }));
  $('#preview-from').replaceChildren(...studio.show.items.map((item, index) => {
    const option = document.createElement('option');
    option.value = index;
    option.textContent = `${index + 1}. ${item.title.text || item.name}`;
    return option;
  }));
  $('#preview-from').value = String(studio.selected);
}

function render() {
  if (studio.selected >= studio.show.items.length) studio.selected = studio.show.items.length - 1;
  renderItems();
  renderProject();
  renderEditor();
  markChosenEffects();
}

function select(index) {
  const changed = index !== studio.selected;
  studio.selected = index;
  render();
  if (changed) refreshGallery();
}

function bindEditors() {
  for (const select of $$('select[data-choices]')) fillChoices(select);
  const itemError = $('#item-error');
  for (const input of $$('#item-editor [data-key]')) {
    const send = async () => {
      itemError.textContent = await edit({
        op: 'item', index: studio.selected, set: patchFor(input.dataset.key, inputValue(input)),
      });
    };
    const textual = input.tagName === 'TEXTAREA' || (input.tagName === 'INPUT' && input.type === 'text')
      || (input.tagName === 'INPUT' && !input.type);
    input.addEventListener(textual ? 'input' : 'change', textual ? debounce(send) : send);
  }
  for (const input of $$('[data-option]')) {
    input.addEventListener('change', async () => {
      const error = await edit({ op: 'options', set: { [input.dataset.option]: inputValue(input) } });
      (input.closest('#project-editor') ? $('#project-error') : itemError).textContent = error;
    });
  }
  for (const input of $$('[data-project]')) {
    input.addEventListener('input', debounce(async () => {
      $('#project-error').textContent = await edit({ op: 'project', set: { [input.dataset.project]: input.value } });
    }));
  }
  $('#remove-item').addEventListener('click', async () => {
    itemError.textContent = await edit({ op: 'remove', list: 'media', index: studio.selected });
  });
  $('#open-effects').addEventListener('click', () => showTab('effects'));
}

// ---------------------------------------------------------------- effects

// Plays a strip of frames (one JPEG, frames one below the other) on a canvas.
class StripPlayer {
  constructor(canvas) {
    this.canvas = canvas;
    this.context = canvas.getContext('2d');
    this.timer = 0;
  }

  async load(url) {
    this.stop();
    const response = await fetch(url);
    if (!response.ok) throw new Error((await response.json()).error);
    this.frames = Number(response.headers.get('X-Frames'));
    this.frameMs = Number(response.headers.get('X-Frame-Ms'));
    this.width = Number(response.headers.get('X-Width'));
    this.height = Number(response.headers.get('X-Height'));
    this.bitmap = await createImageBitmap(await response.blob());
    this.canvas.width = this.width;
    this.canvas.height = this.height;
  }

  draw(frame) {
    this.context.drawImage(this.bitmap, 0, frame * this.height, this.width, this.height, 0, 0, this.width,
      this.height);
  }

  play(loop) {
    this.stop();
    if (!this.bitmap) return;
    let frame = 0;
    const step = () => {
      this.draw(frame);
      frame += 1;
      if (frame < this.frames) this.timer = setTimeout(step, this.frameMs);
      else if (loop) this.timer = setTimeout(() => { frame = 0; step(); }, 800);
    };
    step();
  }

  stop() {
    clearTimeout(this.timer);
  }
}

function effectUrl(effect, width, height) {
  // From the item before, as the show comes to it: the first item comes after the last.
  const to = studio.selected;
  const count = studio.show.items.length;
  const from = count > 1 ? (to + count - 1) % count : to;
  return `/api/effect?${new URLSearchParams({ from, to, effect, width, height })}`;
}

const tiles = new Map();
const stage = { player: null };

const visible = new IntersectionObserver((entries) => {
  for (const entry of entries) {
    const tile = tiles.get(Number(entry.target.dataset.effect));
    if (!tile) continue;
    tile.visible = entry.isIntersecting;
    if (tile.visible) startTile(tile);
    else tile.player.stop();
  }
});

// Strips come one at a time: the server makes them on the same two cores as everything else.
let tileQueue = Promise.resolve();
function startTile(tile) {
  if (tile.loadedFor === studio.selected && tile.player.bitmap) {
    tile.player.play(true);
    return;
  }
  tile.loadedFor = studio.selected;
  tileQueue = tileQueue.then(async () => {
    if (!tile.visible || tile.loadedFor !== studio.selected) return;
    try {
      await tile.player.load(effectUrl(tile.effect, 192, 108));
      if (tile.visible) tile.player.play(true);
    } catch (error) {
      tile.element.title = error.message;
    }
  });
}

function refreshGallery() {
  for (const tile of tiles.values()) {
    tile.player.stop();
    tile.loadedFor = -1;
    if (tile.visible) startTile(tile);
  }
  if (studio.stageEffect !== null) showOnStage(studio.stageEffect);
}

async function showOnStage(effect) {
  studio.stageEffect = effect;
  $('#effect-name').textContent = `${effect}: ${studio.effects[effect].name} (loading…)`;
  try {
    await stage.player.load(effectUrl(effect, 480, 270));
    stage.player.play(false);
    $('#effect-name').textContent = `${effect}: ${studio.effects[effect].name}`;
  } catch (error) {
    $('#effect-name').textContent = error.message;
  }
  $('#use-effect').disabled = false;
  $('#add-effect').disabled = false;
}

function markChosenEffects() {
  const item = studio.show?.items[studio.selected];
  if (!item) return;
  const set = new Set(item.transition.effects);
  const all = set.size === studio.effects.length;
  for (const [index, tile] of tiles) {
    tile.element.classList.toggle('chosen', set.size === 1 && set.has(index));
    tile.element.classList.toggle('in-set', !all && set.size > 1 && set.has(index));
  }
}

async function buildGallery() {
  studio.effects = await api('/api/effects');
  const families = [...new Set(studio.effects.map((effect) => effect.family))];
  $('#family').append(...families.map((family) => new Option(family, family)));
  $('#gallery').replaceChildren(...studio.effects.map((effect) => {
    const element = document.createElement('div');
    element.className = 'effect-tile';
    element.dataset.effect = effect.index;
    element.dataset.family = effect.family;
    const canvas = document.createElement('canvas');
    canvas.width = 192;
    canvas.height = 108;
    const name = document.createElement('span');
    name.textContent = `${effect.index} ${effect.name}`;
    element.append(canvas, name);
    element.addEventListener('click', () => showOnStage(effect.index));
    tiles.set(effect.index, { effect: effect.index, element, player: new StripPlayer(canvas), visible: false,
      loadedFor: -1 });
    visible.observe(element);
    return element;
  }));
  $('#family').addEventListener('change', () => {
    const family = $('#family').value;
    for (const tile of tiles.values()) tile.element.hidden = family !== '' && tile.element.dataset.family !== family;
  });
  stage.player = new StripPlayer($('#effect-canvas'));
  $('#effect-canvas').addEventListener('click', () => stage.player.play(false));
  const change = async (transition, all = false) => {
    $('#item-error').textContent = await edit(all
      ? { op: 'items', set: { transition } }
      : { op: 'item', index: studio.selected, set: { transition } });
  };
  $('#use-effect').addEventListener('click', () => change({ enabled: true, effects: [studio.stageEffect], random: false }));
  $('#add-effect').addEventListener('click', () => {
    const current = studio.show.items[studio.selected].transition.effects;
    const set = current.length === studio.effects.length ? [] : [...current];
    if (!set.includes(studio.stageEffect)) set.push(studio.stageEffect);
    change({ enabled: true, effects: set, random: true });
  });
  $('#random-effects').addEventListener('click', () => change({ enabled: true, effects: null, random: true }));
  $('#all-items-effects').addEventListener('click', () => {
    const { effects, random, enabled } = studio.show.items[studio.selected].transition;
    change({ enabled, effects, random }, true);
  });
}

// ---------------------------------------------------------------- preview

const preview = { abort: null };

async function playShow() {
  preview.abort?.abort();
  const video = $('#preview-video');
  const [width, height] = $('#preview-size').value.split('x').map(Number);
  const from = Number.parseInt($('#preview-from').value || '0', 10);
  setStatus('starting the preview…');
  let started;
  try {
    started = await api('/api/preview', {
      method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify({ from, width, height }),
    });
  } catch (error) {
    setStatus(error.message);
    return;
  }
  $('#position').max = started.seconds;
  const source = new MediaSource();
  video.src = URL.createObjectURL(source);
  await new Promise((resolve) => source.addEventListener('sourceopen', resolve, { once: true }));
  const buffer = source.addSourceBuffer('video/mp4; codecs="avc1.640028, mp4a.40.2"');
  const abort = new AbortController();
  preview.abort = abort;
  const response = await fetch(`/api/preview/${started.id}.mp4`, { signal: abort.signal });
  const reader = response.body.getReader();
  let playing = false;
  try {
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      if (buffer.updating) await new Promise((resolve) => buffer.addEventListener('updateend', resolve, { once: true }));
      buffer.appendBuffer(value);
      await new Promise((resolve) => buffer.addEventListener('updateend', resolve, { once: true }));
      if (!playing && buffer.buffered.length > 0) {
        playing = true;
        setStatus('playing the preview');
        video.play().catch(() => setStatus('press play on the video'));
      }
    }
    if (source.readyState === 'open') source.endOfStream();
  } catch (error) {
    if (error.name !== 'AbortError') setStatus(`preview: ${error.message}`);
  }
}

function bindPreview() {
  const video = $('#preview-video');
  const position = $('#position');
  $('#play-show').addEventListener('click', playShow);
  video.addEventListener('timeupdate', () => {
    position.value = video.currentTime;
    const s = Math.floor(video.currentTime);
    $('#position-text').textContent = `${Math.floor(s / 60)}:${String(s % 60).padStart(2, '0')} of `
      + `${Math.floor(position.max / 60)}:${String(position.max % 60).padStart(2, '0')}`;
  });
  position.addEventListener('input', () => {
    // Only what is rendered so far can be reached.
    const end = video.buffered.length ? video.buffered.end(video.buffered.length - 1) : 0;
    video.currentTime = Math.min(Number(position.value), end);
  });
}

// ---------------------------------------------------------------- build

async function build(kind) {
  for (const button of $$('[data-build]')) button.disabled = true;
  $('#build-problems').replaceChildren();
  try {
    await api('/api/build', { method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify({ kind }) });
    for (;;) {
      const status = await api('/api/build');
      $('#build-progress').value = status.progress;
      $('#build-state').textContent = `${status.state} ${Math.round(status.progress * 100)} %`;
      if (status.state === 'done' || status.state === 'failed') {
        studio.problems = new Map(status.problems.map((p) => [p.item, p.reason]));
        $('#build-problems').replaceChildren(...status.problems.map((p) => {
          const row = document.createElement('li');
          row.textContent = `item ${p.item + 1}: ${p.reason}`;
          return row;
        }));
        $('#build-state').textContent = status.state === 'done' ? `done: ${status.output} in the show's folder`
          : `failed: ${status.error}`;
        renderItems();
        break;
      }
      await new Promise((resolve) => setTimeout(resolve, 300));
    }
  } catch (error) {
    $('#build-state').textContent = error.message;
  }
  for (const button of $$('[data-build]')) button.disabled = false;
}

// ---------------------------------------------------------------- start

function showTab(name) {
  for (const button of $$('nav [data-tab]')) button.classList.toggle('active', button.dataset.tab === name);
  for (const tab of $$('.tab')) tab.hidden = tab.id !== `tab-${name}`;
}

async function start() {
  for (const button of $$('nav [data-tab]')) button.addEventListener('click', () => showTab(button.dataset.tab));
  for (const button of $$('[data-build]')) button.addEventListener('click', () => build(button.dataset.build));
  const drop = $('#drop');
  drop.addEventListener('dragover', (event) => { event.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    upload([...event.dataTransfer.files]);
  });
  $('#file-picker').addEventListener('change', (event) => upload([...event.target.files]));
  bindEditors();
  bindPreview();
  studio.show = await api('/api/state');
  if (studio.show.manifestError) setStatus(studio.show.manifestError);
  // The show first; the gallery and the library follow.
  render();
  document.body.dataset.readyMs = String(Math.round(performance.now()));
  await buildGallery();
  render();
  document.body.dataset.ready = '1';
  await loadLibrary();
}

start().catch((error) => setStatus(error.message));
